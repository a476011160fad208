#include "cases.h"

#include "boltbook.h"
#include "boltconnectiontexts.h"
#include "booktext.h"
#include "calculationfile.h"
#include "calculators.h"
#include "calculatorwindow.h"
#include "columnbook.h"
#include "columntexts.h"
#include "endplatebook.h"
#include "endplatetexts.h"
#include "fieldrule.h"
#include "numbers.h"
#include "pilegroupbook.h"
#include "pilegrouptexts.h"
#include "stabilitybook.h"
#include "stabilitytexts.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <stdexcept>

namespace morvane {

namespace {

bool isList(ControlKind kind) { return kind == ControlKind::KeyProofList || kind == ControlKind::TypedList; }

std::string named(std::string_view input, std::string_view message)
{
    return std::string(input) + ": " + std::string(message);
}

// "A、B或C", as the windows' own messages list what is allowed.
std::string listed(const std::vector<std::string_view> &texts)
{
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += i + 1 == texts.size() ? "或" : "、";
        out += texts[i];
    }
    return out;
}

const char *verdictOf(bool satisfied) { return verdictText(satisfied ? Verdict::Satisfied : Verdict::NotSatisfied); }

// The texts of a case with some replaced: what the window shows once it has
// followed its inputs, or a result it reads back.
class ReplacedTexts final : public InputTexts
{
public:
    explicit ReplacedTexts(const InputTexts &texts)
        : texts_(texts)
    {
    }
    void replace(std::string_view input, std::string_view text) { replaced_[count_++] = {input, text, {}}; }
    // The texts to read: the given ones themselves while none is replaced
    // (a look-up less for each).
    const InputTexts &read() const { return count_ ? *this : texts_; }
    std::string_view text(std::string_view input) const override
    {
        const Replaced *replaced = find(input);
        return replaced ? replaced->text : texts_.text(input);
    }
    // A replacing text read once.
    double number(std::string_view input) const override
    {
        Replaced *replaced = find(input);
        return replaced ? replaced->reading.of(replaced->text).value : texts_.number(input);
    }
    bool holdsOneNumber(std::string_view input) const override
    {
        Replaced *replaced = find(input);
        return replaced ? replaced->reading.of(replaced->text).oneNumber : texts_.holdsOneNumber(input);
    }

private:
    struct Replaced {
        std::string_view input, text;
        NumberReading reading;
    };
    Replaced *find(std::string_view input) const
    {
        for (int i = 0; i < count_; ++i) {
            if (replaced_[i].input == input)
                return &replaced_[i];
        }
        return nullptr;
    }

    const InputTexts &texts_;
    mutable Replaced replaced_[2];  // as many as a window replaces
    int count_ = 0;
};

}  // namespace

struct CaseCalculator::Kind {
    const char *id;
    std::vector<std::string_view> verdicts;
    void (*compute)(const CaseCalculator &, const InputTexts &, Edition, bool, CaseOutcome &);

    // The place of a name among names: asked row after row by the same
    // literal the table gives, most often found by its address.
    static std::size_t placeOf(const std::vector<std::string_view> &names, std::string_view name, const char *what)
    {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i].data() == name.data() && names[i].size() == name.size())
                return i;
        }
        const auto found = std::ranges::find(names, name);
        if (found == names.end())
            throw std::logic_error(what + std::string(name));
        return std::size_t(found - names.begin());
    }
    // The text of a result, to be written (it keeps its room from case to case).
    static std::string &result(const CaseCalculator &calculator, CaseOutcome &out, std::string_view name)
    {
        return out.results[placeOf(calculator.results_, name, "no result ")];
    }
    // The lines of a result of several, one a line.
    static void lines(std::string &text, const std::vector<std::string> &lines)
    {
        for (const std::string &line : lines) {
            if (!text.empty())
                text += '\n';
            text += line;
        }
    }
    static void verdict(const CaseCalculator &calculator, CaseOutcome &out, std::string_view name, const char *text)
    {
        out.verdicts[placeOf(calculator.verdicts_, name, "no verdict ")] = text;
    }

    static void bolt(const CaseCalculator &c, const InputTexts &given, Edition edition, bool withBook, CaseOutcome &out)
    {
        // The layout empties the boxes of the spacings it lacks.
        ReplacedTexts replaced(given);
        const int rows = rowCount(given.text("rows"));
        for (const auto &[input, kept] : {std::pair{"e2", layoutHasE2(rows)}, std::pair{"e3", layoutHasE3(rows)}}) {
            if (!kept) {
                replaced.replace(input, "");
                out.emptied.emplace_back(input);
            }
        }
        const InputTexts &texts = replaced.read();
        if ((out.refusal = c.fieldRefusal(0, texts)).size())
            return;
        const BoltConnectionInput in = boltConnectionInput(texts, edition);
        BoltConnectionResult r = computeBoltConnection(in);
        if (!r.message.empty()) {  // a treatment the edition does not allow for the steel
            out.refusal = named("surfaceTreatment", r.message);
            return;
        }
        if (!r.computable) {
            out.refusal = kOutOfRangeMessage;
            return;
        }
        if (withBook)
            out.book = describeBoltConnection(in, r);
        // The texts are the results' now.
        result(c, out, "mu") = std::move(r.muText);
        result(c, out, "Nt1") = std::move(r.Nt1Text);
        result(c, out, "Nv1") = std::move(r.Nv1Text);
        result(c, out, "Nbv1") = std::move(r.Nbv1Text);
        result(c, out, "P") = std::move(r.PText);
        result(c, out, "nt2") = std::move(r.nt2Text);
        lines(result(c, out, "verdict"), r.verdict);
        // The shear is judged only while the tension holds.
        verdict(c, out, "verdict.tension", verdictOf(r.tensionSatisfied));
        verdict(c, out, "verdict.shear", r.tensionSatisfied ? verdictOf(r.shearSatisfied) : "");
        verdict(c, out, "verdict.web", verdictOf(r.webSatisfied));
    }

    static void endPlate(const CaseCalculator &c, const InputTexts &texts, Edition edition, bool withBook,
                         CaseOutcome &out)
    {
        if ((out.refusal = c.fieldRefusal(0, texts)).size())
            return;
        const EndPlateInput in = endPlateInput(texts, edition);
        if (const char *refusal = endPlateRefusal(in)) {
            out.refusal = named("boltSize", refusal);
            return;
        }
        const EndPlateResult r = computeEndPlate(in);
        if (!r.hasThickness) {
            out.refusal = r.message.empty() ? std::string(kOutOfRangeMessage) : named("steelGrade", r.message);
            return;
        }
        result(c, out, "Ntb") = r.NtbText;
        result(c, out, "thickness") = r.thicknessText;
        if (withBook)
            out.book = describeEndPlate(in, r);
    }

    // λ from L, I and A when the slenderness is empty, as the first "计算"
    // gives it; then φ from the slenderness, as the second reads it back.
    static void stability(const CaseCalculator &c, const InputTexts &given, Edition edition, bool withBook,
                          CaseOutcome &out)
    {
        constexpr int kSlendernessCheck = 0, kCoefficientCheck = 1;
        ReplacedTexts replaced(given);
        std::optional<SlendernessRun> slenderness;
        if (!holdsSlenderness(given.text("slenderness"))) {
            if ((out.refusal = c.fieldRefusal(kSlendernessCheck, given)).size())
                return;
            const SlendernessInput in = slendernessInput(given, edition);
            slenderness = SlendernessRun{in, computeSlenderness(in)};
            const SlendernessResult &r = slenderness->result;
            static constexpr const char *kWarned[] = {"", "length", "inertia", "sectionArea"};
            if (r.warning != SlendernessWarning::None)
                out.warning = named(kWarned[int(r.warning)], r.warningText);
            if (!r.hasSlenderness) {
                out.refusal = kOutOfRangeMessage;
                return;
            }
            replaced.replace("slenderness", r.slendernessText);
        }
        const InputTexts &texts = replaced.read();
        if ((out.refusal = c.fieldRefusal(kCoefficientCheck, texts)).size())
            return;
        StabilityRun run;
        run.input = stabilityInput(texts, edition);
        run.refusal = stabilityRefusal(texts.text("slenderness"), run.input.steelGrade, run.input.sectionClass,
                                       edition);
        static constexpr const char *kRefused[] = {"", "slenderness", "slenderness", "steelGrade", "sectionClass"};
        if (run.refusal != StabilityRefusal::None) {
            out.refusal = named(kRefused[int(run.refusal)], refusalMessage(run.refusal, edition));
            return;
        }
        run.result = computeStability(run.input);
        if (!run.result.hasResult) {
            out.refusal = kOutOfRangeMessage;
            return;
        }
        result(c, out, "slenderness") = texts.text("slenderness");
        if (withBook) {
            run.source = slenderness;
            out.book = describeStability(slenderness, run);
        }
        result(c, out, "coefficient") = std::move(run.result.coefficientText);
    }

    static void pileGroup(const CaseCalculator &c, const InputTexts &texts, Edition, bool withBook, CaseOutcome &out)
    {
        if ((out.refusal = c.fieldRefusal(0, texts)).size())
            return;
        const PileGroupInput in = pileGroupInput(texts);
        if (capDepthAboveCapTop(in.capDepth, in.H)) {
            out.refusal = named("capDepth", kCapDepthMessage);
            return;
        }
        const PileGroupResult r = computePileGroup(in);
        if (!r.computable) {
            out.refusal = r.refusal == PileGroupRefusal::PileCount ? named("pileCountText", r.refusalText)
                                                                   : r.refusalText;
            return;
        }
        result(c, out, "capacity") = r.capacityText;
        if (withBook)
            out.book = describePileGroup(in, r);
    }

    static void column(const CaseCalculator &c, const InputTexts &texts, Edition, bool withBook, CaseOutcome &out)
    {
        if ((out.refusal = c.fieldRefusal(0, texts)).size())
            return;
        const ColumnInput in = columnInput(texts);
        // The counts are told after b and h.
        for (const auto &[name, count] : {std::pair{"bCount", in.bCount}, std::pair{"hCount", in.hCount}}) {
            if (!isBarCount(count)) {
                out.refusal = named(name, kBarCountMessage);
                return;
            }
        }
        const ColumnResult r = computeColumnRatio(in);
        if (!r.computable) {
            out.refusal = kOutOfRangeMessage;
            return;
        }
        lines(result(c, out, "report"), r.report);
        verdict(c, out, "verdict.ratio", verdictOf(!r.needsWeldedHoops));
        if (withBook)
            out.book = describeColumnRatio(in, r);
    }
};

namespace {

// By the order of kCalculatorIds.
const CaseCalculator::Kind *kindOf(std::string_view id);

}  // namespace

CaseCalculator::CaseCalculator(const Calculator &calculator, const Kind &kind)
    : calculator_(calculator)
    , kind_(kind)
    , table_(calculator.table())
    , verdicts_(kind.verdicts)
{
    const std::span<const ControlRow> rows = table_.controls;
    auto tabPosition = [this](const char *name) {
        const auto found = std::ranges::find_if(table_.tabOrder,
                                                [name](const char *n) { return qstrcmp(n, name) == 0; });
        return found == table_.tabOrder.end() ? INT_MAX : int(found - table_.tabOrder.begin());
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlRow &row = rows[i];
        if (row.shows)
            results_.push_back(row.shows);
        if (isTextBox(row.kind) && (row.rules[0].test != FieldRule::None || row.feeds)) {
            if (numberBoxes_.size() <= std::size_t(row.check)) {
                numberBoxes_.resize(row.check + 1);
                ruledBoxes_.resize(row.check + 1);
            }
            numberBoxes_[row.check].push_back(i);
            if (row.rules[0].test != FieldRule::None)
                ruledBoxes_[row.check].push_back(i);
        }
        feeds_.emplace_back(row.feeds ? row.feeds : "");
        if (!row.feeds)
            continue;
        inputs_.push_back(row.feeds);
        inputRows_.push_back(&row);
        for (const Edition edition : {Edition::Original, Edition::Current}) {
            const int e = int(edition);
            std::string value = row.value ? row.value : "";
            std::vector<std::string_view> allowed;
            std::vector<std::pair<std::string_view, std::string_view>> optionNames;
            if (isList(row.kind)) {
                value = row.text ? row.text : "";
                if (row.kind == ControlKind::KeyProofList) {
                    const std::span<const char *const> items = itemsIn(row, edition);
                    allowed.assign(items.begin(), items.end());
                    if (row.text && std::ranges::find(allowed, std::string_view(row.text)) == allowed.end())
                        allowed.emplace_back(row.text);
                }
            } else if (row.kind == ControlKind::Check) {
                value = row.checked ? "是" : "否";
                allowed = {"是", "否"};
            } else if (row.kind == ControlKind::Option) {
                // The options the edition shows; a group that changes with
                // the edition is named by its options' names, as the window does.
                const std::vector<const ControlRow *> group = optionGroupRows(rows, i);
                const bool byName = keptByName(group);
                value.clear();
                for (const ControlRow *option : group) {
                    if (!shownIn(*option, edition))
                        continue;
                    const char *shown = byName ? option->name : textIn(*option, edition);
                    allowed.emplace_back(shown);
                    optionNames.emplace_back(option->name, shown);
                    if (byName)
                        optionNames.emplace_back(textIn(*option, edition), shown);
                    if (option->checked || value.empty())
                        value = shown;  // the chosen one, else the first the edition shows
                }
            }
            defaults_[e].push_back(value);
            allowed_[e].push_back(std::move(allowed));
            optionNames_[e].push_back(std::move(optionNames));
        }
    }
    for (std::vector<std::size_t> &boxes : numberBoxes_) {
        std::ranges::stable_sort(boxes, {}, [&](std::size_t row) { return tabPosition(rows[row].name); });
    }
}

const char *CaseCalculator::id() const { return calculator_.id; }

std::span<const CaseCalculator *const> CaseCalculator::all()
{
    // Made once, and owned until the program ends.
    static const std::vector<std::unique_ptr<const CaseCalculator>> owned = [] {
        std::vector<std::unique_ptr<const CaseCalculator>> owned;
        for (const Calculator &calculator : calculators())
            owned.emplace_back(new CaseCalculator(calculator, *kindOf(calculator.id)));
        return owned;
    }();
    static const std::vector<const CaseCalculator *> made = [] {
        std::vector<const CaseCalculator *> made;
        for (const auto &calculator : owned)
            made.push_back(calculator.get());
        return made;
    }();
    return made;
}

const CaseCalculator *CaseCalculator::byId(std::string_view id)
{
    for (const CaseCalculator *calculator : all()) {
        if (id == calculator->id())
            return calculator;
    }
    return nullptr;
}

std::size_t CaseCalculator::inputIndex(std::string_view name) const
{
    return std::size_t(std::ranges::find(inputs_, name) - inputs_.begin());
}

std::string CaseCalculator::refusalOfText(std::size_t input, std::string_view &text, Edition edition) const
{
    const std::vector<std::string_view> &allowed = allowed_[int(edition)][input];
    if (allowed.empty() || std::ranges::find(allowed, text) != allowed.end())
        return {};
    for (const auto &[name, caption] : optionNames_[int(edition)][input]) {
        if (text == name) {
            text = caption;
            return {};
        }
    }
    return named(inputRows_[input]->feeds, "「" + std::string(text) + "」不是可选的值，应为" + listed(allowed));
}

std::string CaseCalculator::fieldRefusal(int check, const InputTexts &texts) const
{
    if (std::size_t(check) >= numberBoxes_.size())
        return {};
    for (const std::size_t i : numberBoxes_[check]) {
        const std::string_view input = feeds_[i];
        if (!texts.holdsOneNumber(input))
            return named(input, notANumberMessage(texts.text(input)));
    }
    for (const std::size_t i : ruledBoxes_[check]) {
        const ControlRow &row = table_.controls[i];
        if (const FieldRule *rule = brokenRule(row.rules, texts.number(feeds_[i])))
            return named(feeds_[i], rule->message);
    }
    return {};
}

CaseOutcome CaseCalculator::compute(const InputTexts &texts, Edition edition, bool withBook) const
{
    CaseOutcome out;
    compute(texts, edition, withBook, out);
    return out;
}

void CaseCalculator::compute(const InputTexts &texts, Edition edition, bool withBook, CaseOutcome &out) const
{
    out.refusal.clear();
    out.warning.clear();
    out.emptied.clear();
    out.results.resize(results_.size());
    out.verdicts.resize(verdicts_.size());
    for (std::string &text : out.results)
        text.clear();
    for (std::string &text : out.verdicts)
        text.clear();
    out.book.reset();
    kind_.compute(*this, texts, edition, withBook, out);
    if (!out.refusal.empty()) {
        for (std::string &text : out.results)
            text.clear();
        for (std::string &text : out.verdicts)
            text.clear();
        out.book.reset();
    }
}

namespace {

const CaseCalculator::Kind *kindOf(std::string_view id)
{
    using K = CaseCalculator::Kind;
    static const K kinds[] = {
        {"bolt-connection", {"verdict.tension", "verdict.shear", "verdict.web"}, &K::bolt},
        {"end-plate", {}, &K::endPlate},
        {"stability", {}, &K::stability},
        {"pile-group", {}, &K::pileGroup},
        {"column", {"verdict.ratio"}, &K::column},
    };
    for (const K &kind : kinds) {
        if (id == kind.id)
            return &kind;
    }
    throw std::logic_error("no case kind for " + std::string(id));
}

}  // namespace

}  // namespace morvane
