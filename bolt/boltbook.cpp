#include "boltbook.h"

#include "booktext.h"
#include "numbers.h"

#include <string>
#include <vector>

namespace morvane {

namespace {

const char kSteelCode[] = "GB 50017-2003";
const char kEndPlateCode[] = "CECS 102:2002";

std::string put(double value) { return bookOperand(value); }

// A shown result as put into a formula: in brackets when negative.
std::string put(const std::string &text) { return !text.empty() && text[0] == '-' ? "(" + text + ")" : text; }

const char *rowsText(int rows) { return rows == 4 ? "四排" : rows == 6 ? "六排" : rows == 8 ? "八排" : ""; }

const char *treatmentText(SurfaceTreatment treatment)
{
    switch (treatment) {
    case SurfaceTreatment::Blasted: return "喷砂（丸）";
    case SurfaceTreatment::BlastedZincPrimer: return "喷砂（丸）后涂无机富锌漆";
    case SurfaceTreatment::BlastedRusted: return "喷砂（丸）后生赤锈";
    case SurfaceTreatment::WireBrushed: return "钢丝刷清除浮锈或未经处理的干净扎制表面";
    }
    return "";
}

// The row distances from the centre line, as symbols and as expressions of
// the inputs: y1 = e1, y2 = e1 + e2, y3 = e1 + e2 + e3, y4 = ... + 2ef.
// A spacing the layout does not have (e2 with four rows, e3 with four or
// six) is left out while it is 0, as the window leaves it.
struct Rows {
    std::vector<std::string> symbols;      // "y1", "y2", ..., "y4"
    std::vector<std::string> definitions;  // "y2 = e1 + e2"
    std::vector<std::string> values;       // "(40 + 80)", bracketed when a sum
};

Rows rowDistances(const BoltConnectionInput &in)
{
    const bool hasE2 = in.rows >= 6 || in.e2 != 0;
    const bool hasE3 = in.rows == 8 || in.e3 != 0;
    Rows r;
    std::string symbols = "e1", values = put(in.e1);
    auto add = [&r](const std::string &symbol, const std::string &definition, const std::string &value, bool sum) {
        r.symbols.push_back(symbol);
        r.definitions.push_back(symbol + " = " + definition);
        r.values.push_back(sum ? "(" + value + ")" : value);
    };
    add("y1", symbols, values, false);
    if (hasE2) {
        symbols += " + e2";
        values += " + " + put(in.e2);
        if (in.rows >= 6)
            add("y2", symbols, values, true);
    }
    if (hasE3) {
        symbols += " + e3";
        values += " + " + put(in.e3);
        if (in.rows == 8)
            add("y3", symbols, values, true);
    }
    add("y4", symbols + " + 2ef", values + " + 2 × " + put(in.ef), true);
    return r;
}

std::string joined(const std::vector<std::string> &parts, const std::string &separator)
{
    std::string out;
    for (const std::string &part : parts)
        out += (out.empty() ? "" : separator) + part;
    return out;
}

}  // namespace

CalcBook describeBoltConnection(const BoltConnectionInput &in, const BoltConnectionResult &r)
{
    CalcBook book;
    book.calculator = "摩擦型高强螺栓连接计算";
    const bool hasE2 = in.rows >= 6 || in.e2 != 0;
    const bool hasE3 = in.rows == 8 || in.e3 != 0;
    book.inputs.push_back({"", "螺栓排数", rowsText(in.rows), ""});
    book.inputs.push_back({"e1", "中间两排螺栓间距的一半", displayDouble(in.e1), "mm"});
    if (hasE2)
        book.inputs.push_back({"e2", "最内排螺栓至相邻外排螺栓的距离", displayDouble(in.e2), "mm"});
    if (hasE3)
        book.inputs.push_back({"e3", "第二排螺栓至第三排螺栓的距离", displayDouble(in.e3), "mm"});
    book.inputs.push_back({"ef", "螺栓中心至翼缘的距离", displayDouble(in.ef), "mm"});
    book.inputs.push_back({"ew", "腹板验算中一个螺栓分担的腹板宽度", displayDouble(in.ew), "mm"});
    book.inputs.push_back({"tw", "腹板厚度", displayDouble(in.tw), "mm"});
    book.inputs.push_back({"M", "节点弯矩设计值", displayDouble(in.M), "kN·m"});
    book.inputs.push_back({"V", "节点剪力设计值", displayDouble(in.V), "kN"});
    book.inputs.push_back({"η", "内力放大系数", displayDouble(in.amplification), ""});
    book.inputs.push_back({"", "钢材类别", in.steelGrade, ""});
    book.inputs.push_back({"", "螺栓直径", in.boltSize, ""});
    book.inputs.push_back({"", "螺栓级别", in.boltGrade == BoltGrade::Grade8_8 ? "8.8级" : "10.9级", ""});
    book.inputs.push_back({"", "接触面处理方法", treatmentText(in.surfaceTreatment), ""});

    if (!r.computable) {
        book.note = kOutOfRangeMessage;
        return book;
    }

    const Rows y = rowDistances(in);
    std::vector<std::string> squares, squaredValues;
    for (std::size_t i = 0; i < y.symbols.size(); ++i) {
        squares.push_back(y.symbols[i] + "²");
        squaredValues.push_back(y.values[i] + "²");
    }
    const std::string eta = put(in.amplification);
    const std::string y2 = in.rows >= 6 ? y.values[1] : "";
    const std::string y4 = y.values.back();

    // Moment shared among the rows in proportion to their distance from the
    // centre line: two bolts a row, both halves of the group.
    book.steps.push_back({"Nt1", "最外排一个螺栓的拉力",
                          "Nt1 = η·M·y4 / [4(" + joined(squares, " + ") + ")]，" + joined(y.definitions, "，"),
                          "Nt1 = " + eta + " × " + put(in.M) + " × 10³ × " + y4 + " / [4 × ("
                              + joined(squaredValues, " + ") + ")]",
                          r.Nt1Text, "kN", "Text10", "", "", Verdict::None});
    book.steps.push_back({"Nv1", "一个螺栓承受的剪力", "Nv1 = η·V / n，n = 2 × 排数",
                          "Nv1 = " + eta + " × " + put(in.V) + " / (2 × " + std::to_string(in.rows) + ")", r.Nv1Text,
                          "kN", "Text11", "", "", Verdict::None});
    if (in.rows == 4)
        book.steps.push_back({"nt2", "腹板验算所用一排螺栓中一个螺栓的拉力", "四排螺栓时 nt2 = 0", "", r.nt2Text,
                              "kN", "Text14", "", "", Verdict::None});
    else
        book.steps.push_back({"nt2", "距中心线 y2 的一排螺栓中一个螺栓的拉力", "nt2 = Nt1·y2 / y4",
                              "nt2 = " + put(r.Nt1Text) + " × " + y2 + " / " + y4, r.nt2Text, "kN", "Text14", "", "",
                              Verdict::None});
    const char *grade = in.boltGrade == BoltGrade::Grade8_8 ? "8.8级" : "10.9级";
    book.steps.push_back({"P", "一个高强度螺栓的预拉力", "P 按螺栓直径和性能等级查表", in.boltSize + "，" + grade,
                          r.PText, "kN", "Text13", kSteelCode, "", Verdict::None});
    book.steps.push_back({"μ", "摩擦面的抗滑移系数", "μ 按接触面处理方法和构件钢材查表",
                          std::string(treatmentText(in.surfaceTreatment)) + "，" + in.steelGrade, r.muText, "",
                          "Text16", kSteelCode, "", Verdict::None});
    book.steps.push_back({"Nbv1", "最外排一个螺栓在拉力 Nt1 下的抗剪承载力设计值", "Nbv1 = 0.9μ(P − 1.25Nt1)",
                          "Nbv1 = 0.9 × " + r.muText + " × (" + r.PText + " − 1.25 × " + put(r.Nt1Text) + ")",
                          r.Nbv1Text, "kN", "Text12", kSteelCode, "", Verdict::None});
    // The web check takes the larger of nt2 and 0.4P; the strength f is the
    // grade's for a thickness up to 16 mm.
    const bool webOnPretension = r.nt2 <= 0.4 * r.P;
    const bool webHolds = r.webVerdict == kWebSatisfiedLine;
    book.steps.push_back(
        {"σ", "螺栓处腹板的拉应力", "σ = Nw / (ew·tw)，nt2 ≤ 0.4P 时 Nw = 0.4P，否则 Nw = nt2",
         "σ = " + (webOnPretension ? "0.4 × " + r.PText : r.nt2Text) + " × 10³ / (" + put(in.ew) + " × " + put(in.tw)
             + ")",
         "", "N/mm²", "Text15", kEndPlateCode,
         std::string(webHolds ? "σ < f" : "σ ≥ f") + "（f 为 " + in.steelGrade + " 钢厚度 ≤ 16 mm 的强度设计值）",
         webHolds ? Verdict::Satisfied : Verdict::NotSatisfied});
    // The bolt check: tension first; the shear only when the tension holds.
    const bool tensionHolds = r.boltVerdict != kTensionFailureLine;
    book.steps.push_back({"", "螺栓抗拉承载力验算", "Nt1 < 0.8P", "", "", "", "Text15", kSteelCode,
                          "Nt1 = " + r.Nt1Text + " kN " + (tensionHolds ? "<" : "≥") + " 0.8P = 0.8 × " + r.PText
                              + " kN",
                          tensionHolds ? Verdict::Satisfied : Verdict::NotSatisfied});
    if (tensionHolds) {
        const bool shearHolds = r.boltVerdict == kBoltsSatisfiedLine;
        book.steps.push_back({"", "螺栓抗剪承载力验算", "Nv1 ≤ Nbv1", "", "", "", "Text15", kSteelCode,
                              "Nv1 = " + r.Nv1Text + " kN " + (shearHolds ? "≤" : ">") + " Nbv1 = " + r.Nbv1Text
                                  + " kN",
                              shearHolds ? Verdict::Satisfied : Verdict::NotSatisfied});
    }
    book.verdicts = {r.boltVerdict, r.webVerdict};
    return book;
}

}  // namespace morvane
