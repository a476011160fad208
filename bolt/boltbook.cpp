#include "boltbook.h"

#include "booktext.h"
#include "numbers.h"

#include <cmath>
#include <string>
#include <vector>

namespace morvane {

namespace {

const char kSteelCode[] = "GB 50017-2003";
const char kEndPlateCode[] = "CECS 102:2002";
// The current edition's codes, with the clauses each step follows.
const char kCurrentSteelCode[] = "GB 50017-2017";
const char kCurrentPortalCode[] = "GB 51022-2015";

std::string put(double value) { return bookOperand(value); }

// A shown result as put into a formula: in brackets when negative.
std::string put(const std::string &text) { return !text.empty() && text[0] == '-' ? "(" + text + ")" : text; }

const char *rowsText(int rows) { return rows == 4 ? "四排" : rows == 6 ? "六排" : rows == 8 ? "八排" : ""; }

// The treatment as the edition's table of slip coefficients names it.
const char *treatmentText(SurfaceTreatment treatment, Edition edition)
{
    switch (treatment) {
    case SurfaceTreatment::Blasted: return "喷砂（丸）";
    case SurfaceTreatment::BlastedZincPrimer: return "喷砂（丸）后涂无机富锌漆";
    case SurfaceTreatment::BlastedRusted: return "喷砂（丸）后生赤锈";
    case SurfaceTreatment::WireBrushed:
        return edition == Edition::Current ? "钢丝刷清除浮锈或未经处理的干净轧制面"
                                           : "钢丝刷清除浮锈或未经处理的干净扎制表面";
    case SurfaceTreatment::GritBlasted: return "喷硬质石英砂或铸钢棱角砂";
    case SurfaceTreatment::ShotBlasted: return "抛丸（喷砂）";
    }
    return "";
}

std::string withClause(const char *code, const char *clause) { return std::string(code) + " " + clause; }

// The row distances from the centre line, one step each with the inputs
// put in: y1 = e1, y2 = e1 + e2, y3 = e1 + e2 + e3, y4 = ... + 2ef. A
// spacing the layout does not have (e2 with four rows, e3 with four or six)
// is left out while it is 0, as the window leaves it. The figures are the
// sums the calculation takes, whole.
std::vector<BookStep> rowDistanceSteps(const BoltConnectionInput &in, const BoltConnectionResult &r)
{
    const bool hasE2 = in.rows >= 6 || in.e2 != 0;
    const bool hasE3 = in.rows == 8 || in.e3 != 0;
    std::vector<BookStep> steps;
    std::string symbols = "e1", values = put(in.e1);
    auto add = [&steps](const std::string &symbol, const char *name, const std::string &definition,
                        const std::string &value, double figure) {
        steps.push_back({symbol, name, symbol + " = " + definition, symbol + " = " + value, displayDouble(figure), "mm",
                         "", "", "", Verdict::None});
    };
    add("y1", "最内排螺栓至中心线的距离", symbols, values, r.y1);
    if (hasE2) {
        symbols += " + e2";
        values += " + " + put(in.e2);
        if (in.rows >= 6)
            add("y2", "由内向外第二排螺栓至中心线的距离", symbols, values, r.y2);
    }
    if (hasE3) {
        symbols += " + e3";
        values += " + " + put(in.e3);
        if (in.rows == 8)
            add("y3", "由内向外第三排螺栓至中心线的距离", symbols, values, r.y3);
    }
    add("y4", "最外排螺栓至中心线的距离", symbols + " + 2ef", values + " + 2 × " + put(in.ef), r.y4);
    return steps;
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
    const bool current = in.edition == Edition::Current;
    if (current)
        book.edition = editionTitle(in.edition);
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
    book.inputs.push_back({"", "接触面处理方法", treatmentText(in.surfaceTreatment, in.edition), ""});

    if (!r.computable) {
        book.note = r.message.empty() ? kOutOfRangeMessage : r.message;
        return book;
    }

    const std::vector<BookStep> distances = rowDistanceSteps(in, r);
    book.steps = distances;
    std::vector<std::string> squares, squaredValues;
    for (const BookStep &y : distances) {
        squares.push_back(y.symbol + "²");
        squaredValues.push_back(put(y.value) + "²");
    }
    const std::string y2 = in.rows >= 6 ? distances[1].value : "";
    const std::string y4 = distances.back().value;
    // The moment and the shear by their size: the group is symmetric about
    // its centre line, and the shear's direction does not matter.
    const std::string eta = put(std::fabs(in.amplification));

    // Moment shared among the rows in proportion to their distance from the
    // centre line: two bolts a row, both halves of the group.
    book.steps.push_back({"Nt1", "最外排一个螺栓的拉力",
                          "Nt1 = |ηM|·y4 / [4(" + joined(squares, " + ") + ")]，弯矩和剪力按绝对值计算",
                          "Nt1 = " + eta + " × " + put(std::fabs(in.M)) + " × 10³ × " + put(y4) + " / [4 × ("
                              + joined(squaredValues, " + ") + ")]",
                          r.Nt1Text, "kN", "Nt1", "", "", Verdict::None});
    book.steps.push_back({"Nv1", "一个螺栓承受的剪力", "Nv1 = |ηV| / n，n = 2 × 排数",
                          "Nv1 = " + eta + " × " + put(std::fabs(in.V)) + " / (2 × " + std::to_string(in.rows) + ")",
                          r.Nv1Text, "kN", "Nv1", "", "", Verdict::None});
    if (in.rows == 4)
        book.steps.push_back({"nt2", "腹板验算所用一排螺栓中一个螺栓的拉力", "四排螺栓时 nt2 = 0", "", r.nt2Text, "kN",
                              "nt2", "", "", Verdict::None});
    else
        book.steps.push_back({"nt2", "距中心线 y2 的一排螺栓中一个螺栓的拉力", "nt2 = Nt1·y2 / y4",
                              "nt2 = " + put(r.Nt1Text) + " × " + put(y2) + " / " + put(y4), r.nt2Text, "kN", "nt2", "",
                              "", Verdict::None});
    const char *grade = in.boltGrade == BoltGrade::Grade8_8 ? "8.8级" : "10.9级";
    const std::string treatment = treatmentText(in.surfaceTreatment, in.edition);
    if (current) {
        book.steps.push_back({"P", "一个高强度螺栓的预拉力设计值",
                              "P 查高强度螺栓的预拉力设计值表（按螺栓直径、性能等级）", in.boltSize + "，" + grade,
                              r.PText, "kN", "P", withClause(kCurrentSteelCode, "表11.4.2-2"), "", Verdict::None});
        book.steps.push_back({"μ", "钢材摩擦面的抗滑移系数",
                              "μ 查钢材摩擦面的抗滑移系数表（按接触面处理方法、构件钢材）",
                              treatment + "，" + in.steelGrade, r.muText, "", "mu",
                              withClause(kCurrentSteelCode, "表11.4.2-1"), "", Verdict::None});
        const std::string k = displayDouble(kHoleFactor), nf = std::to_string(kFrictionPlanes);
        book.steps.push_back({"Nvb", "一个高强度螺栓的受剪承载力设计值",
                              "Nvb = 0.9k·nf·μ·P，孔型系数 k = " + k + "（标准孔），传力摩擦面数目 nf = " + nf,
                              "Nvb = 0.9 × " + k + " × " + nf + " × " + r.muText + " × " + r.PText, r.Nbv1Text, "kN",
                              "Nbv1", withClause(kCurrentSteelCode, "式(11.4.2-1)"), "", Verdict::None});
        const std::string Ntb = displayDouble(r.tensionLimit);
        book.steps.push_back({"Ntb", "一个高强度螺栓的受拉承载力设计值", "Ntb = 0.8P", "Ntb = 0.8 × " + r.PText, Ntb,
                              "kN", "", withClause(kCurrentSteelCode, "式(11.4.2-2)"), "", Verdict::None});

        // Tension first; shear and tension together only when it holds.
        book.steps.push_back(
            {"", "螺栓抗拉承载力验算", "Nt1 ≤ Ntb", "", "", "", "verdict", withClause(kCurrentSteelCode, "11.4.2"),
             "Nt1 = " + r.Nt1Text + " kN " + (r.tensionSatisfied ? "≤" : ">") + " Ntb = " + Ntb + " kN",
             r.tensionSatisfied ? Verdict::Satisfied : Verdict::NotSatisfied});
        if (r.tensionSatisfied)
            book.steps.push_back({"", "螺栓拉剪共同作用验算", "Nv1/Nvb + Nt1/Ntb ≤ 1",
                                  "Nv1/Nvb + Nt1/Ntb = " + r.Nv1Text + " / " + r.Nbv1Text + " + " + put(r.Nt1Text)
                                      + " / " + Ntb + " = " + bookFigure(r.ratio),
                                  "", "", "verdict", withClause(kCurrentSteelCode, "式(11.4.2-3)"),
                                  "Nv1/Nvb + Nt1/Ntb = " + r.ratioText + "（两位小数，向上取） "
                                      + (r.shearSatisfied ? "≤" : ">") + " 1.0",
                                  r.shearSatisfied ? Verdict::Satisfied : Verdict::NotSatisfied});
    } else {
        book.steps.push_back({"P", "一个高强度螺栓的预拉力", "P 查一个高强度螺栓的预拉力表（按螺栓直径、性能等级）",
                              in.boltSize + "，" + grade, r.PText, "kN", "P", kSteelCode, "", Verdict::None});
        book.steps.push_back({"μ", "摩擦面的抗滑移系数", "μ 查摩擦面的抗滑移系数表（按接触面处理方法、构件钢材）",
                              treatment + "，" + in.steelGrade, r.muText, "", "mu", kSteelCode, "", Verdict::None});
        book.steps.push_back({"Nbv1", "最外排一个螺栓在拉力 Nt1 下的抗剪承载力设计值", "Nbv1 = 0.9μ(P − 1.25Nt1)",
                              "Nbv1 = 0.9 × " + r.muText + " × (" + r.PText + " − 1.25 × " + put(r.Nt1Text) + ")",
                              r.Nbv1Text, "kN", "Nbv1", kSteelCode, "", Verdict::None});

        // The bolt check: tension first; the shear only when the tension holds.
        book.steps.push_back({"", "螺栓抗拉承载力验算", "Nt1 < 0.8P", "", "", "", "verdict", kSteelCode,
                              "Nt1 = " + r.Nt1Text + " kN " + (r.tensionSatisfied ? "<" : "≥") + " 0.8P = 0.8 × "
                                  + r.PText + " = " + bookFigure(r.tensionLimit) + " kN",
                              r.tensionSatisfied ? Verdict::Satisfied : Verdict::NotSatisfied});
        if (r.tensionSatisfied)
            book.steps.push_back(
                {"", "螺栓抗剪承载力验算", "Nv1 ≤ Nbv1", "", "", "", "verdict", kSteelCode,
                 "Nv1 = " + r.Nv1Text + " kN " + (r.shearSatisfied ? "≤" : ">") + " Nbv1 = " + r.Nbv1Text + " kN",
                 r.shearSatisfied ? Verdict::Satisfied : Verdict::NotSatisfied});
    }

    // The web check takes the larger of nt2 and 0.4P (Nw is nt2 itself
    // where nt2 governs); the strength f is the grade's for a thickness up
    // to 16 mm.
    const bool onPretension = r.Nw != r.nt2;
    const std::string Nw = displayDouble(r.Nw * 1000);
    book.steps.push_back({"Nw", "腹板验算所用一个螺栓的拉力", "Nw = max(nt2, 0.4P) × 10³",
                          "Nw = " + (onPretension ? "0.4 × " + r.PText : put(r.nt2Text)) + " × 10³", Nw, "N", "", "",
                          "", Verdict::None});
    // The current edition judges the web by GB 51022-2015 (10.2.7-7) on 0.4P
    // and (10.2.7-8) on nt2, equality passing.
    const std::string webSource = current
        ? withClause(kCurrentPortalCode, onPretension ? "式(10.2.7-7)" : "式(10.2.7-8)")
        : kEndPlateCode;
    const char *within = current ? "≤" : "<", *beyond = current ? ">" : "≥";
    book.steps.push_back({"f", "腹板钢材的强度设计值", "f 查钢材的强度设计值表（厚度 ≤ 16 mm）", in.steelGrade,
                          std::to_string(r.f), "N/mm²", "",
                          current ? withClause(kCurrentSteelCode, "表4.4.1") : kSteelCode, "", Verdict::None});
    book.steps.push_back(
        {"", "腹板强度验算", std::string("σ = Nw / (ew·tw) ") + within + " f", "", "", "", "verdict", webSource,
         "σ = " + put(Nw) + " / " + put(in.ew) + " / " + put(in.tw) + " = " + bookFigure(r.sigma) + " N/mm² "
             + (r.webSatisfied ? within : beyond) + " f = " + std::to_string(r.f) + " N/mm²",
         r.webSatisfied ? Verdict::Satisfied : Verdict::NotSatisfied});
    book.verdicts = r.verdict;  // the two lines, as the window shows them
    book.conclusion = r.tensionSatisfied && r.shearSatisfied && r.webSatisfied
        ? "该节点连接满足要求。"
        : "该节点连接不满足要求，应按上列不满足项调整设计。";
    return book;
}

}  // namespace morvane
