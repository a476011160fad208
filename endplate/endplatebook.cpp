#include "endplatebook.h"

#include "booktext.h"
#include "numbers.h"

namespace morvane {

namespace {

constexpr const char *kPlateCode = "CECS 102:2002";
constexpr const char *kSteelCode = "GB 50017-2003";
// The current edition's codes, with the clauses each step follows.
constexpr const char *kCurrentPlateCode = "GB 51022-2015";
constexpr const char *kCurrentSteelCode = "GB 50017-2017";

std::string withClause(const char *code, const std::string &clause) { return std::string(code) + " " + clause; }

const char *gradeText(BoltGrade grade) { return grade == BoltGrade::Grade8_8 ? "8.8级" : "10.9级"; }

// The ticked support classes, in the window's order, "无" for none.
std::string classesText(const EndPlateInput &in)
{
    std::string text;
    auto add = [&](bool ticked, const char *name) {
        if (!ticked)
            return;
        if (!text.empty())
            text += "、";
        text += name;
    };
    add(in.cantilever, "伸臂类端板");
    add(in.noStiffener, "无加劲肋类端板");
    add(in.twoSide, "两边支承端板");
    add(in.threeSide, "三边支承类端板");
    return text.empty() ? "无" : text;
}

}  // namespace

CalcBook describeEndPlate(const EndPlateInput &in, const EndPlateResult &r)
{
    CalcBook book;
    book.calculator = "端板厚度计算器";
    const bool current = in.edition == Edition::Current;
    if (current)
        book.edition = editionTitle(in.edition);
    // Where each step comes from: the original edition names its codes, the
    // current one the clause too.
    auto steelSource = [current](const char *clause) {
        return current ? withClause(kCurrentSteelCode, clause) : std::string(kSteelCode);
    };
    auto plateSource = [current](const std::string &clause) {
        return current ? withClause(kCurrentPlateCode, clause) : std::string(kPlateCode);
    };
    book.inputs = {
        {"b", "端板宽度", displayDouble(in.b), "mm"},
        {"bs", "加劲肋板宽度", displayDouble(in.bs), "mm"},
        {"a", "螺栓间距", displayDouble(in.a), "mm"},
        {"ef", "螺栓中心至翼缘板表面的距离", displayDouble(in.ef), "mm"},
        {"ew", "螺栓中心至腹板表面的距离", displayDouble(in.ew), "mm"},
        {"", "端板钢材", in.steelGrade, ""},
        {"", "螺栓直径", in.boltSize, ""},
        {"", "螺栓级别", gradeText(in.boltGrade), ""},
        {"", "支承条件", classesText(in), ""},
        {"", "两边支承端板的端板形式", in.plateEnd == PlateEnd::Flush ? "端板平齐" : "端板外伸", ""},
    };

    const int P = boltPretension(in.boltSize, in.boltGrade);
    if (P == 0) {  // the window refuses the size before it computes
        book.note = kUnlistedBoltSizeMessage;
        return book;
    }

    // 1. Bolt capacity from the pretension, shown whatever the plate.
    book.steps.push_back({"P", "一个高强度螺栓的预拉力", "P 按螺栓直径和性能等级查表",
                          in.boltSize + "，" + gradeText(in.boltGrade), std::to_string(P), "kN", "",
                          steelSource("表11.4.2-2"), "", Verdict::None});
    book.steps.push_back({"Ntb", "单个螺栓受拉承载力设计值", "Ntb = 0.8·P", "Ntb = 0.8 × " + std::to_string(P),
                          r.NtbText, "kN", "Ntb", steelSource("式(11.4.2-2)"), "", Verdict::None});

    if (!r.hasThickness) {
        book.note = r.message.empty() ? kOutOfRangeMessage : r.message;
        return book;
    }

    // 2. One thickness per ticked class, each with its own figure; f only
    //    where a class uses it.
    struct Governing {
        std::string symbols, figures;  // "t1, t3", "26.94, 20.54"
        double thickness = 0;
        std::string name;  // of the class that gives it
    } governing;
    const std::string N = r.NtbText;
    const std::string b = bookOperand(in.b), bs = bookOperand(in.bs), a = bookOperand(in.a);
    const std::string ef = bookOperand(in.ef), ew = bookOperand(in.ew);
    const bool anyClass = in.cantilever || in.noStiffener || in.twoSide || in.threeSide;
    const std::string f = std::to_string(r.f);
    if (anyClass && !current)
        book.steps.push_back({"f", "端板钢材的抗拉强度设计值", "f 按端板钢材和厚度查表（t > 16 mm）", in.steelGrade, f,
                              "N/mm²", "", kSteelCode, "", Verdict::None});
    if (anyClass && current) {
        // The strength of the thickness group the plate comes out in.
        const std::string group = std::to_string(r.strengthFrom) + " mm < t ≤ " + std::to_string(r.strengthTo) + " mm";
        book.steps.push_back({"f", "端板钢材的抗拉强度设计值", "f 按端板钢材和厚度组查表", in.steelGrade + "，" + group,
                              f, "N/mm²", "", steelSource("表4.4.1"),
                              r.strengthFrom > 16 ? "按 16 mm < t ≤ 40 mm 的 f = "
                                      + std::to_string(plateStrengthGroup(in.steelGrade, 0)->f)
                                      + " N/mm² 算得 t > 40 mm，取 " + group + " 的 f"
                                                  : "",
                              Verdict::None});
    }
    auto classStep = [&](const char *symbol, const char *name, double thickness, const std::string &formula,
                         const std::string &substituted, const char *equation) {
        const std::string figure = bookFigure(thickness);
        book.steps.push_back({symbol, std::string(name) + "厚度", std::string(symbol) + " = " + formula,
                              std::string(symbol) + " = " + substituted, figure, "mm", "", plateSource(equation), "",
                              Verdict::None});
        const char *separator = governing.symbols.empty() ? "" : ", ";
        governing.symbols += separator + std::string(symbol);
        governing.figures += separator + figure;
        if (thickness > governing.thickness) {  // the first of equal thicknesses is named
            governing.thickness = thickness;
            governing.name = name;
        }
    };
    if (in.cantilever)
        classStep("t1", "伸臂类端板", r.cantileverThickness, "√(6·ef·Ntb·1000 / b / f)",
                  "√(6 × " + ef + " × " + N + " × 1000 / " + b + " / " + f + ")", "式(10.2.7-1)");
    if (in.noStiffener)
        classStep("t2", "无加劲肋类端板", r.noStiffenerThickness, "√(3·ew·Ntb·1000 / f / (0.5·a + ew))",
                  "√(3 × " + ew + " × " + N + " × 1000 / " + f + " / (0.5 × " + a + " + " + ew + "))", "式(10.2.7-2)");
    if (in.twoSide && in.plateEnd == PlateEnd::Extended)
        classStep("t3", "两边支承端板（端板外伸）", r.twoSideThickness,
                  "√(6·ef·ew·1000·Ntb / f / (ew·b + 2·ef·(ef + ew)))",
                  "√(6 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × " + b + " + 2 × " + ef
                      + " × (" + ef + " + " + ew + ")))",
                  "式(10.2.7-3)");
    if (in.twoSide && in.plateEnd == PlateEnd::Flush)
        classStep("t3", "两边支承端板（端板平齐）", r.twoSideThickness,
                  "√(12·ef·ew·1000·Ntb / f / (ew·b + 4·ef·(ef + ew)))",
                  "√(12 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × " + b + " + 4 × " + ef
                      + " × (" + ef + " + " + ew + ")))",
                  "式(10.2.7-4)");
    if (in.threeSide)
        classStep("t4", "三边支承类端板", r.threeSideThickness, "√(6·ef·ew·1000·Ntb / f / (ew·(b + 2·bs) + 4·ef²))",
                  "√(6 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × (" + b + " + 2 × " + bs
                      + ") + 4 × " + ef + "²))",
                  "式(10.2.7-5)");

    // 3. The largest class thickness governs, never below 16 mm, under the
    //    current edition nor below 0.8 times the bolt diameter: tmin.
    const std::string least = current ? "tmin" : "16";  // as formulas name it
    const std::string leastFigure = current ? displayDouble(r.leastThickness) : "16";
    const std::string leastIs = current ? "tmin = " + leastFigure + " mm" : "16 mm";
    if (current)
        book.steps.push_back({"tmin", "端板的构造最小厚度", "tmin = max(16, 0.8d)，d 为螺栓直径",
                              "tmin = max(16, 0.8 × " + in.boltSize.substr(1) + ")", leastFigure, "mm", "",
                              plateSource("10.2.7"), "", Verdict::None});
    BookStep t{"t",
               "端板最小厚度",
               "",
               "",
               current ? displaySignificant(r.thickness, 7) : displaySingle(static_cast<float>(r.thickness)),
               "mm",
               "thickness",
               plateSource("10.2.7"),
               "",
               Verdict::None};
    // No class ticked, or none above the least thickness.
    const bool floored = r.thickness <= r.leastThickness;
    if (governing.symbols.empty()) {
        t.formula = "t = " + least;
        t.comparison = "未选支承条件，取 t = " + std::string(current ? "tmin = " : "") + t.value + " mm";
    } else {
        t.formula = "t = max(" + governing.symbols + ", " + least + ")";
        t.substituted = "t = max(" + governing.figures + ", " + leastFigure + ")";
        const bool several = governing.symbols.find(',') != std::string::npos;
        const std::string largest = (several ? "max(" + governing.symbols + ")" : governing.symbols) + " = "
            + bookFigure(governing.thickness) + " mm";
        t.comparison = largest + (floored ? " ≤ " : " > ") + leastIs + "，取 t = " + t.value + " mm";
    }
    book.steps.push_back(t);
    const char *rule = current ? "端板厚度不小于16 mm及0.8倍螺栓直径的构造要求" : "端板厚度不小于16 mm的构造要求";
    book.conclusion = "端板最小厚度 t = " + t.value + " mm，由" + (floored ? std::string(rule) : governing.name)
        + "控制。";
    return book;
}

}  // namespace morvane
