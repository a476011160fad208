#include "columnbook.h"

#include "booktext.h"
#include "numbers.h"

namespace morvane {

namespace {

// The area of one bar of the chosen diameter, as `area` evaluates it.
std::string barArea(const std::string &diameterText)
{
    std::string text = "(";
    text += std::to_string(barDiameter(diameterText));
    text += "² × 3.14159 / 4)";
    return text;
}

}  // namespace

CalcBook describeColumnRatio(const ColumnInput &in, const ColumnResult &r)
{
    CalcBook book;
    book.calculator = "柱配筋率验算";
    book.inputs = {
        {"b", "截面宽度", displayDouble(in.width), "mm"},
        {"h", "截面高度", displayDouble(in.height), "mm"},
        {"dc", "角筋直径", in.cornerDiameter, ""},
        {"nb", "b边一侧中部筋根数", displayDouble(in.bCount), "根"},
        {"db", "b边一侧中部筋直径", in.bDiameter, ""},
        {"nh", "h边一侧中部筋根数", displayDouble(in.hCount), "根"},
        {"dh", "h边一侧中部筋直径", in.hDiameter, ""},
    };
    if (!r.computable) {
        book.note = kOutOfRangeMessage;
        return book;
    }

    // The steel area is not shown: a formula with its values put in.
    BookStep As{"As", "纵向钢筋总面积", "As = 4·(dc²·π / 4) + 2·nb·(db²·π / 4) + 2·nh·(dh²·π / 4)", "", "", "mm²",
                "", "", "", Verdict::None};
    As.substituted = "As = 4 × " + barArea(in.cornerDiameter) + " + 2 × " + bookOperand(in.bCount) + " × " +
                     barArea(in.bDiameter) + " + 2 × " + bookOperand(in.hCount) + " × " + barArea(in.hDiameter);

    BookStep rho{"ρ", "配筋率", "ρ = As / b / h × 100%", "", r.ratioText, "%", "Text6", "", "", Verdict::None};
    rho.substituted = "ρ = As / " + bookOperand(in.width) + " / " + bookOperand(in.height) + " × 100%";

    // The unrounded ratio decides; at a shown 3.00 % the reader is told so.
    const bool ordinary = r.verdict == kOrdinaryTiesVerdict;
    BookStep ties{"ρ", "普通箍的适用条件", "ρ ≤ 3%", "", "", "", "", "", "", Verdict::None};
    ties.comparison = "ρ = " + r.ratioText + "% " + (ordinary ? "≤" : ">") + " 3%";
    if (r.ratioText == "3.00")
        ties.comparison += "（按未修约的配筋率比较）";
    ties.verdict = ordinary ? Verdict::Satisfied : Verdict::NotSatisfied;

    book.steps = {As, rho, ties};
    // The two lines of the report, as the window shows them.
    const std::size_t lineBreak = r.report.find("\r\n");
    if (lineBreak != std::string::npos)
        book.verdicts = {r.report.substr(0, lineBreak), r.report.substr(lineBreak + 2)};
    return book;
}

}  // namespace morvane
