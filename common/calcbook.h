#pragma once
// A calculation book (计算书): the inputs a calculation read, and the steps
// it took, each with its formula, the values put in, the result as the
// window shows it and, for a check, the verdict. Standard library only:
// each calculator's describeXxx builds one beside its computeXxx.

#include <string>
#include <vector>

namespace morvane {

// One input as the calculation read it.
struct BookInput {
    std::string symbol;  // "e1", or empty for a choice such as the steel grade
    std::string name;    // Chinese name: "中间两排螺栓间距的一半"
    std::string value;   // as read: a number in double-precision display, or the chosen text
    std::string unit;    // "mm", "kN", "kN·m", "N/mm²", "" for none
};

enum class Verdict { None, Satisfied, NotSatisfied };

// "满足" or "不满足"; empty for Verdict::None.
const char *verdictText(Verdict verdict);

// One step of the calculation, in the order the calculation takes it.
struct BookStep {
    std::string symbol;       // "Nt1"
    std::string name;         // Chinese name of the quantity
    std::string formula;      // engineering notation: "Nt1 = M·y1 / Σyi²"
    std::string substituted;  // the same with the values put in; empty when nothing is put in
    std::string value;        // the value exactly as the window shows it; with no result, the
                              // figure for reading (bookFigure) or the value from a table
    std::string unit;         // "kN", "" for none
    std::string result;       // the result the window shows it as ("Ntb", "thickness"), or empty
    std::string source;       // design code, "GB 50017-2003"; a clause only where confirmed
    std::string comparison;   // for a check: "Nt1 = 60.2 kN < 0.8P = 124 kN"; empty otherwise
    Verdict verdict = Verdict::None;
};

struct CalcBook {
    std::string calculator;  // the window's caption
    // The edition of the design codes the calculation followed, as the menu
    // names it, where a calculator has two and follows the current one;
    // empty where the book need not name it.
    std::string edition;
    std::vector<BookInput> inputs;
    std::vector<BookStep> steps;
    std::vector<std::string> verdicts;  // the verdict sentences the window shows, if any
    std::string conclusion;             // the closing sentence of the 结论 section
    std::string note;                   // why no result was given, when none was; else empty
};

// What a book is printed with, beside its content.
struct BookHeader {
    std::string program;   // "Morvane 1.0"
    std::string dateTime;  // "2026-12-08 14:05"
    // The project the book belongs to, as the user keeps it (计算书信息);
    // when any is given, the book starts with a table of them and the date.
    std::string projectName;    // 工程名称
    std::string projectNumber;  // 工程编号
    std::string member;         // 构件/节点
    std::string designer;       // 设计
    std::string checker;        // 校对
    std::string approver;       // 审核

    bool hasProject() const { return !(projectName + projectNumber + member + designer + checker + approver).empty(); }
};

// The book's title: the calculator's name as a 计算书 ("端板厚度计算书").
std::string bookTitle(const CalcBook &book);

// The book as an HTML document (UTF-8, a table of inputs and a table of steps)
// and as plain text that stays readable in a plain editor.
std::string bookHtml(const CalcBook &book, const BookHeader &header);
std::string bookPlainText(const CalcBook &book, const BookHeader &header);

// The tooltip of a result box: formula, values put in, result with its unit.
std::string stepTooltip(const BookStep &step);

}  // namespace morvane
