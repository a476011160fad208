#pragma once
// One case of a calculator computed from the texts of its inputs, as its
// window's "计算" computes it, without a window: the texts its controls
// would take, the same checks in the same order with the same messages, the
// same reading into the input record, the same calculation, result texts
// and book. What the command line's `book` and `batch` compute with.
//
// The row loop of `batch` runs here: nothing in it makes a QString.

#include "calcbook.h"
#include "edition.h"
#include "inputtexts.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

struct Calculator;
struct ControlRow;
struct WindowTable;

struct CaseOutcome {
    // The first refusal, worded as the window's warning box words it, after
    // the name of the input it concerns ("e1: e1不得小于等于0"); empty when
    // the case computed. A refusal that no one input causes has no name
    // ("输入数据超出计算范围，无法计算").
    std::string refusal;
    // What the window warns of while it still computes (the stability's
    // checks of L, I and A), named the same way; empty when nothing.
    std::string warning;
    // The inputs whose boxes the window empties before it computes (the
    // spacings a bolt layout lacks): shown empty, whatever was given.
    std::vector<std::string_view> emptied;
    std::vector<std::string> results;   // by CaseCalculator::results(), as the window shows them
    std::vector<std::string> verdicts;  // by CaseCalculator::verdicts(): "满足", "不满足", or empty when not judged
    std::optional<CalcBook> book;       // when asked for and computed
};

class CaseCalculator
{
public:
    // The calculator of a command-line name ("bolt-connection" …); none for another.
    static const CaseCalculator *byId(std::string_view id);
    static std::span<const CaseCalculator *const> all();

    const char *id() const;

    // Its inputs, by the names the window's table gives them (`feeds`), in
    // the table's order, and the texts its window opens with.
    const std::vector<std::string_view> &inputs() const { return inputs_; }
    const std::vector<std::string> &defaults(Edition edition) const { return defaults_[int(edition)]; }
    // Its results, by the names the window's table gives them (`shows`), in
    // the table's order; a result may also be an input (the stability's
    // slenderness, computed or typed).
    const std::vector<std::string_view> &results() const { return results_; }
    // Its checks' verdicts ("verdict.web" …); none for a calculator without checks.
    const std::vector<std::string_view> &verdicts() const { return verdicts_; }
    // The index of an input by name; inputs().size() for another name.
    std::size_t inputIndex(std::string_view name) const;

    // Why the input's control cannot show the text under that edition (a
    // key-proof list only its items and its design text, a check "是" or
    // "否", an option group the caption or the objectName of an option it
    // shows), worded with the input's name; empty when it can. An option is
    // then given as the window gives it: its caption, or its objectName in a
    // group that changes with the edition.
    std::string refusalOfText(std::size_t input, std::string_view &text, Edition edition) const;

    // The case from the texts of every input, as accepted above. The second
    // form reuses an outcome's room, for many cases in a row.
    CaseOutcome compute(const InputTexts &texts, Edition edition, bool withBook) const;
    void compute(const InputTexts &texts, Edition edition, bool withBook, CaseOutcome &out) const;

    struct Kind;  // how one calculator computes, in cases.cpp

private:
    CaseCalculator(const Calculator &calculator, const Kind &kind);

    // The first refusal of the boxes one "计算" button reads: a text that is
    // not one number, in Tab order, then the table's rules in its order.
    std::string fieldRefusal(int check, const InputTexts &texts) const;

    const Calculator &calculator_;
    const Kind &kind_;
    const WindowTable &table_;
    std::vector<std::string_view> inputs_;
    std::vector<std::string> defaults_[2];  // by edition
    std::vector<std::string_view> results_;
    std::vector<std::string_view> verdicts_;
    std::vector<std::vector<std::size_t>> numberBoxes_;  // rows, by check, in Tab order
    std::vector<std::vector<std::size_t>> ruledBoxes_;   // rows, by check, in table order
    std::vector<const ControlRow *> inputRows_;          // by input: its row, an option group's first
    std::vector<std::string_view> feeds_;                // by row: the input it feeds, empty for none
    // By input: the texts its control can show, none for a control that
    // takes any; an option group's objectNames with their captions.
    // Both by edition.
    std::vector<std::vector<std::string_view>> allowed_[2];
    std::vector<std::vector<std::pair<std::string_view, std::string_view>>> optionNames_[2];
};


}  // namespace morvane
