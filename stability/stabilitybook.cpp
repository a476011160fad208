#include "stabilitybook.h"

#include "booktext.h"
#include "numbers.h"

namespace morvane {

namespace {

constexpr const char *kSteelCode = "GB 50017-2003";

void addNote(CalcBook &book, const std::string &note)
{
    book.note += (book.note.empty() ? "" : "；") + note;
}

void describeSlenderness(CalcBook &book, const SlendernessRun &run)
{
    const SlendernessInput &in = run.input;
    const SlendernessResult &r = run.result;
    book.inputs.push_back({"L", "计算长度", displayDouble(in.length), "mm"});
    book.inputs.push_back({"I", "构件的惯性距", displayDouble(in.inertia), "10⁴mm⁴"});
    book.inputs.push_back({"A", "构件面积", displayDouble(in.sectionArea), "mm²"});

    // The first failing check warns; a raised I or A enters the formula as "+ 1".
    std::string L = bookOperand(in.length), I = bookOperand(in.inertia), A = bookOperand(in.sectionArea);
    auto check = [&](const char *symbol, double value) {
        book.steps.push_back({symbol, r.warning, std::string(symbol) + " > 0", "", "", "", "", "",
                              std::string(symbol) + " = " + displayDouble(value) + " ≤ 0", Verdict::NotSatisfied});
    };
    if (r.warning == kLengthWarning) {
        check("L", in.length);
    } else if (r.warning == kInertiaWarning) {
        check("I", in.inertia);
        I = "(" + I + " + 1)";
    } else if (r.warning == kAreaWarning) {
        check("A", in.sectionArea);
        A = "(" + A + " + 1)";
    }

    if (!r.hasSlenderness) {
        addNote(book, kOutOfRangeMessage);
        return;
    }
    book.steps.push_back({"λ", "长细比", "λ = L / √(I·10000 / A)", "λ = " + L + " / √(" + I + " × 10000 / " + A + ")",
                          r.slendernessText, "", "Text4", kSteelCode, "", Verdict::None});
}

void describeCoefficient(CalcBook &book, const StabilityRun &run)
{
    const StabilityInput &in = run.input;
    const StabilityResult &r = run.result;
    book.inputs.push_back({"", "钢材", in.steelGrade, ""});
    book.inputs.push_back({"", "截面类型", in.sectionClass, ""});
    book.inputs.push_back({"λ", "长细比", displayDouble(in.slenderness), ""});

    // The window computes nothing for these, as the calculation would
    // give no coefficient or, without a yield strength, no reduction.
    if (!isSectionClass(in.sectionClass)) {
        addNote(book, "截面类型应为a类、b类或c类");
        return;
    }
    const double fy = yieldStrength(in.steelGrade);
    if (fy == 0) {
        addNote(book, kStabilitySteelMessage);
        return;
    }

    // λn is not shown: a formula with its values put in.
    book.steps.push_back({"λn", "正则化长细比", "λn = √(fy / E)·λ / π",
                          "λn = √(" + displayDouble(fy) + " / " + displayDouble(kSteelElasticModulus) + ") × " +
                              bookOperand(in.slenderness) + " / " + displayDouble(kStabilityPi),
                          "", "", "", kSteelCode, "", Verdict::None});
    if (!r.hasResult) {
        addNote(book, kOutOfRangeMessage);
        return;
    }

    // α1, α2, α3 by section class; class c takes α2 and α3 by the band of λn.
    const double lambdaN = r.normalisedSlenderness;
    const bool aboveBand = in.sectionClass == "c类" && lambdaN > kClassCBand;
    const SectionAlphas alphas = in.sectionClass == "a类" ? kClassA
                                 : in.sectionClass == "b类" ? kClassB
                                 : aboveBand              ? kClassCAboveBand
                                                          : kClassC;
    const std::string stocky = displayDouble(kStockyLimit), band = displayDouble(kClassCBand);
    const std::string range = in.sectionClass != "c类" ? "λn > " + stocky
                              : aboveBand              ? "λn > " + band
                                                       : stocky + " < λn ≤ " + band;
    BookStep phi{"φ", "稳定系数", "", "", r.coefficientText, "", "Text5", kSteelCode, "", Verdict::None};
    if (lambdaN <= kStockyLimit) {
        phi.formula = "φ = 1 − α1·λn²（λn ≤ " + stocky + "）";
        phi.substituted = "φ = 1 − " + displayDouble(alphas.alpha1) + " × λn²";
    } else {
        phi.formula = "φ = (q − √(q² − 4·λn²)) / (2·λn²)，q = α3·λn + α2 + λn²（" + range + "）";
        phi.substituted = "φ = (q − √(q² − 4 × λn²)) / (2 × λn²)，q = " + displayDouble(alphas.alpha3) + " × λn + " +
                          displayDouble(alphas.alpha2) + " + λn²";
    }
    book.steps.push_back(phi);
}

}  // namespace

CalcBook describeStability(const std::optional<SlendernessRun> &slenderness,
                           const std::optional<StabilityRun> &stability)
{
    CalcBook book;
    book.calculator = "轴心受压构件稳定系数查询";
    if (slenderness)
        describeSlenderness(book, *slenderness);
    if (stability)
        describeCoefficient(book, *stability);
    if (!slenderness && !stability)
        book.note = "尚未计算";
    return book;
}

}  // namespace morvane
