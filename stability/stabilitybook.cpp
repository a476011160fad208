#include "stabilitybook.h"

#include "booktext.h"
#include "numbers.h"

namespace morvane {

namespace {

constexpr const char *kSteelCode = "GB 50017-2003";
constexpr const char *kCurrentSteelCode = "GB 50017-2017";

// Where a step comes from: the original edition names its code, the current
// one the clause too where there is one.
std::string source(Edition edition, const char *clause = nullptr)
{
    if (edition == Edition::Original)
        return kSteelCode;
    return clause ? std::string(kCurrentSteelCode) + " " + clause : kCurrentSteelCode;
}

void addNote(CalcBook &book, const std::string &note) { book.note += (book.note.empty() ? "" : "；") + note; }

// φ as an engineer writes it: ".9357" with its leading zero, "0.9357".
std::string withLeadingZero(const std::string &text) { return text.starts_with('.') ? "0" + text : text; }

void describeSlenderness(CalcBook &book, const SlendernessRun &run)
{
    const SlendernessInput &in = run.input;
    const SlendernessResult &r = run.result;
    book.inputs.push_back({"L", "计算长度", displayDouble(in.length), "mm"});
    book.inputs.push_back({"I", "截面惯性矩", displayDouble(in.inertia), "×10⁴ mm⁴"});
    book.inputs.push_back({"A", "截面面积", displayDouble(in.sectionArea), "mm²"});

    // The first failing check warns; a raised I or A enters the formula as "+ 1".
    std::string I = bookOperand(in.inertia), A = bookOperand(in.sectionArea);
    auto check = [&](const char *symbol, double value) {
        book.steps.push_back({symbol, r.warningText, std::string(symbol) + " > 0", "", "", "", "", "",
                              std::string(symbol) + " = " + displayDouble(value) + " ≤ 0", Verdict::NotSatisfied});
    };
    if (r.warning == SlendernessWarning::Length) {
        check("L", in.length);
    } else if (r.warning == SlendernessWarning::Inertia) {
        check("I", in.inertia);
        I = "(" + I + " + 1)";
    } else if (r.warning == SlendernessWarning::Area) {
        check("A", in.sectionArea);
        A = "(" + A + " + 1)";
    }

    if (!r.hasSlenderness) {
        addNote(book, kOutOfRangeMessage);
        return;
    }
    // The radius is a figure rounded for reading; λ, shown to fifteen
    // digits, is worked from the inputs themselves.
    const std::string radius = "√(" + I + " × 10000 / " + A + ")";
    book.steps.push_back({"i", "截面回转半径", "i = √(I·10000 / A)", "i = " + radius, bookFigure(r.radius), "mm", "",
                          source(in.edition), "", Verdict::None});
    book.steps.push_back({"λ", "长细比", "λ = L / i = L / √(I·10000 / A)",
                          "λ = " + bookOperand(in.length) + " / " + radius, r.slendernessText, "", "slenderness",
                          source(in.edition), "", Verdict::None});
    book.conclusion = "长细比 λ = " + r.slendernessText + "。";
}

// `computed`: the slenderness is the result of the slenderness part above,
// not an input.
void describeCoefficient(CalcBook &book, const StabilityRun &run, bool computed)
{
    const StabilityInput &in = run.input;
    const StabilityResult &r = run.result;
    book.inputs.push_back({"", "钢材", in.steelGrade, ""});
    book.inputs.push_back({"", "截面类型", in.sectionClass, ""});
    if (!computed)
        book.inputs.push_back(
            {"λ", "长细比", run.refusal == StabilityRefusal::NoSlenderness ? "" : displayDouble(in.slenderness), ""});

    if (run.refusal != StabilityRefusal::None) {
        addNote(book, refusalMessage(run.refusal, in.edition));
        return;
    }

    const Edition edition = in.edition;
    const bool current = edition == Edition::Current;
    const double fy = r.yieldStrength;
    const std::string lambda = bookOperand(in.slenderness);
    book.steps.push_back({"fy", "钢材的屈服强度", current ? "fy 按钢材牌号查表（厚度 ≤ 16 mm）" : "fy 按钢材牌号查表",
                          in.steelGrade, displayDouble(fy), "N/mm²", "", source(edition, "表4.4.1"), "",
                          Verdict::None});
    book.steps.push_back({"E", "钢材的弹性模量", "E 按钢材取值", "", displayDouble(kSteelElasticModulus), "N/mm²", "",
                          source(edition), "", Verdict::None});
    // π as the edition's tables were computed with it.
    BookStep normalised{"λn",
                        "正则化长细比",
                        current ? "λn = (λ / π)·√(fy / E)，π 取 3.14" : "λn = (λ / π)·√(fy / E)",
                        "λn = (" + lambda + " / " + displayDouble(current ? kCurrentStabilityPi : kStabilityPi)
                            + ") × √(" + displayDouble(fy) + " / " + displayDouble(kSteelElasticModulus) + ")",
                        "",
                        "",
                        "",
                        source(edition, "D.0.5"),
                        "",
                        Verdict::None};
    if (!r.hasResult) {
        book.steps.push_back(normalised);
        addNote(book, kOutOfRangeMessage);
        return;
    }
    const double lambdaN = r.normalisedSlenderness;
    normalised.value = bookFigure(lambdaN);
    book.steps.push_back(normalised);

    // α1 for a stocky member; α2 and α3 by section class otherwise, classes
    // c and d by the band of λn. λn and q are figures rounded for reading;
    // the formulas after them take them whole, so that they give the φ shown.
    const std::string ln = bookOperand(lambdaN), stocky = displayDouble(kStockyLimit);
    const bool banded = in.sectionClass == "c类" || in.sectionClass == "d类";
    const bool aboveBand = banded && lambdaN > kClassCBand;
    const SectionAlphas alphas = *sectionAlphas(in.sectionClass, lambdaN, edition);
    // The current edition's φ is that of its tables D.0.1 to D.0.4, which
    // the formulas of D.0.5 give.
    BookStep phi{"φ",
                 "稳定系数",
                 "",
                 "",
                 withLeadingZero(r.coefficientText),
                 "",
                 "coefficient",
                 source(edition, "表D.0.1～表D.0.4、D.0.5"),
                 "",
                 Verdict::None};
    if (lambdaN <= kStockyLimit) {
        book.steps.push_back({"α1", "截面类型系数", "α1 按截面类型查表", in.sectionClass, displayDouble(alphas.alpha1),
                              "", "", source(edition, "表D.0.5"), "", Verdict::None});
        phi.formula = "φ = 1 − α1·λn²（λn ≤ " + stocky + "）";
        phi.substituted = "φ = 1 − " + displayDouble(alphas.alpha1) + " × " + ln + "²";
    } else {
        const std::string band = displayDouble(kClassCBand);
        book.steps.push_back(
            {"α2、α3", "截面类型系数", banded ? "α2、α3 按截面类型及 λn 查表" : "α2、α3 按截面类型查表",
             banded ? in.sectionClass + "，λn = " + ln + (aboveBand ? " > " : " ≤ ") + band : in.sectionClass,
             displayDouble(alphas.alpha2) + "、" + displayDouble(alphas.alpha3), "", "", source(edition, "表D.0.5"), "",
             Verdict::None});
        const double q = alphas.alpha3 * lambdaN + alphas.alpha2 + lambdaN * lambdaN;
        book.steps.push_back({"q", "中间量", "q = α2 + α3·λn + λn²",
                              "q = " + displayDouble(alphas.alpha2) + " + " + displayDouble(alphas.alpha3) + " × " + ln
                                  + " + " + ln + "²",
                              bookFigure(q), "", "", source(edition, "D.0.5"), "", Verdict::None});
        const std::string qs = bookOperand(q);
        phi.formula = "φ = (q − √(q² − 4·λn²)) / (2·λn²)（λn > " + stocky + "）";
        phi.substituted = "φ = (" + qs + " − √(" + qs + "² − 4 × " + ln + "²)) / (2 × " + ln + "²)";
    }
    book.steps.push_back(phi);
    book.conclusion = "稳定系数 φ = " + phi.value + "。";
}

}  // namespace

CalcBook describeStability(const std::optional<SlendernessRun> &shownSlenderness,
                           const std::optional<StabilityRun> &stability)
{
    CalcBook book;
    book.calculator = "轴心受压构件稳定系数查询";
    // The coefficient's slenderness is a step when the run that gave it is
    // described: the one the box still shows, or the only one there is.
    const SlendernessRun *slenderness = shownSlenderness ? &*shownSlenderness : nullptr;
    bool computed = false;
    if (stability && stability->source) {
        const SlendernessRun &source = *stability->source;
        if (!slenderness
            || (slenderness->input == source.input
                && slenderness->result.slendernessText == source.result.slendernessText)) {
            slenderness = &source;
            computed = true;
        }
    }
    const bool current = (slenderness && slenderness->input.edition == Edition::Current)
        || (stability && stability->input.edition == Edition::Current);
    if (current)
        book.edition = editionTitle(Edition::Current);
    if (slenderness)
        describeSlenderness(book, *slenderness);
    if (stability)
        describeCoefficient(book, *stability, computed);
    if (!slenderness && !stability)
        book.note = "尚未计算";
    return book;
}

}  // namespace morvane
