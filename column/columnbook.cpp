#include "columnbook.h"

#include "booktext.h"
#include "numbers.h"

namespace morvane {

namespace {

// A diameter as drawings write it, "Φ20"; a text of no listed diameter as it reads.
std::string diameterText(const std::string &listText)
{
    const int d = barDiameter(listText);
    return d == 0 ? listText : "Φ" + std::to_string(d);
}

std::string diameterUnit(const std::string &listText) { return barDiameter(listText) == 0 ? "" : "mm"; }

// The area of `count` bars of the chosen diameter as `area` evaluates it:
// "2 × 2 × 3.14159 × 20² / 4".
std::string barsArea(const std::string &count, const std::string &listText)
{
    return count + " × 3.14159 × " + std::to_string(barDiameter(listText)) + "² / 4";
}

}  // namespace

CalcBook describeColumnRatio(const ColumnInput &in, const ColumnResult &r)
{
    CalcBook book;
    book.calculator = "柱配筋率验算";
    book.inputs = {
        {"b", "截面宽度", displayDouble(in.width), "mm"},
        {"h", "截面高度", displayDouble(in.height), "mm"},
        {"dc", "角筋直径", diameterText(in.cornerDiameter), diameterUnit(in.cornerDiameter)},
        {"nb", "b边一侧中部筋根数", displayDouble(in.bCount), "根"},
        {"db", "b边一侧中部筋直径", diameterText(in.bDiameter), diameterUnit(in.bDiameter)},
        {"nh", "h边一侧中部筋根数", displayDouble(in.hCount), "根"},
        {"dh", "h边一侧中部筋直径", diameterText(in.hDiameter), diameterUnit(in.hDiameter)},
    };
    if (!r.computable) {
        book.note = kOutOfRangeMessage;
        return book;
    }

    // The steel area and the section area are not shown: formulas with
    // their values put in and their figures.
    const std::string b = bookOperand(in.width), h = bookOperand(in.height);
    book.steps.push_back({"As", "纵向钢筋总面积", "As = 4·π·dc² / 4 + 2·nb·π·db² / 4 + 2·nh·π·dh² / 4",
                          "As = " + barsArea("4", in.cornerDiameter) + " + "
                              + barsArea("2 × " + bookOperand(in.bCount), in.bDiameter) + " + "
                              + barsArea("2 × " + bookOperand(in.hCount), in.hDiameter),
                          bookFigure(r.steelArea), "mm²", "", "", "", Verdict::None});
    book.steps.push_back({"A", "截面面积", "A = b·h", "A = " + b + " × " + h, bookFigure(in.width * in.height), "mm²",
                          "", "", "", Verdict::None});
    // The ratio from the unrounded steel area, so that it gives the figure shown.
    book.steps.push_back({"ρ", "配筋率", "ρ = As / (b·h) × 100%",
                          "ρ = " + bookOperand(r.steelArea) + " / (" + b + " × " + h + ") × 100%", r.ratioText, "%",
                          "report", "", "", Verdict::None});

    // The unrounded ratio decides; at a shown 3.00 % the reader is told so.
    const bool ordinary = !r.needsWeldedHoops;
    const std::string unrounded = r.ratioText == "3.00" ? "（按未修约的配筋率比较）" : "";
    book.steps.push_back({"", "配筋率不大于3%", "ρ ≤ 3%", "", "", "", "", "",
                          "ρ = " + r.ratioText + "% " + (ordinary ? "≤" : ">") + " 3%" + unrounded,
                          ordinary ? Verdict::Satisfied : Verdict::NotSatisfied});

    book.verdicts = r.report;  // the two lines, as the window shows them
    book.conclusion = "柱全部纵向钢筋的配筋率 ρ = " + r.ratioText + "%，" + (ordinary ? "不大于3%" : "大于3%")
        + unrounded + (ordinary ? "，采用普通箍即可。" : "，箍筋应焊成封闭环式。");
    return book;
}

}  // namespace morvane
