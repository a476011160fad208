#include "endplatebook.h"

#include "booktext.h"
#include "numbers.h"

namespace morvane {

namespace {

constexpr const char *kPlateCode = "CECS 102:2002";
constexpr const char *kSteelCode = "GB 50017-2003";

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
                          in.boltSize + "，" + gradeText(in.boltGrade), std::to_string(P), "kN", "", kSteelCode, "",
                          Verdict::None});
    book.steps.push_back({"Ntb", "单个螺栓受拉承载力设计值", "Ntb = 0.8·P", "Ntb = 0.8 × " + std::to_string(P),
                          r.NtbText, "kN", "Ntb", kSteelCode, "", Verdict::None});

    if (!r.hasThickness) {
        book.note = r.message.empty() ? kOutOfRangeMessage : r.message;
        return book;
    }

    // 2. One thickness per ticked class, each with its own figure; f only
    //    where a class uses it.
    struct Governing {
        std::string symbols, figures;  // "t1, t3", "26.94, 20.54"
        float thickness = 0;
        std::string name;  // of the class that gives it
    } governing;
    const std::string N = r.NtbText;
    const std::string b = bookOperand(in.b), bs = bookOperand(in.bs), a = bookOperand(in.a);
    const std::string ef = bookOperand(in.ef), ew = bookOperand(in.ew);
    const bool anyClass = in.cantilever || in.noStiffener || in.twoSide || in.threeSide;
    const std::string f = std::to_string(steelStrength(in.steelGrade).value_or(0));
    if (anyClass)
        book.steps.push_back({"f", "端板钢材的抗拉强度设计值", "f 按端板钢材和厚度查表（t > 16 mm）", in.steelGrade, f,
                              "N/mm²", "", kSteelCode, "", Verdict::None});
    auto classStep = [&](const char *symbol, const char *name, float thickness, const std::string &formula,
                         const std::string &substituted) {
        const std::string figure = bookFigure(thickness);
        book.steps.push_back({symbol, std::string(name) + "厚度", std::string(symbol) + " = " + formula,
                              std::string(symbol) + " = " + substituted, figure, "mm", "", kPlateCode, "",
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
                  "√(6 × " + ef + " × " + N + " × 1000 / " + b + " / " + f + ")");
    if (in.noStiffener)
        classStep("t2", "无加劲肋类端板", r.noStiffenerThickness, "√(3·ew·Ntb·1000 / f / (0.5·a + ew))",
                  "√(3 × " + ew + " × " + N + " × 1000 / " + f + " / (0.5 × " + a + " + " + ew + "))");
    if (in.twoSide && in.plateEnd == PlateEnd::Extended)
        classStep("t3", "两边支承端板（端板外伸）", r.twoSideThickness,
                  "√(6·ef·ew·1000·Ntb / f / (ew·b + 2·ef·(ef + ew)))",
                  "√(6 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × " + b + " + 2 × " + ef
                      + " × (" + ef + " + " + ew + ")))");
    if (in.twoSide && in.plateEnd == PlateEnd::Flush)
        classStep("t3", "两边支承端板（端板平齐）", r.twoSideThickness,
                  "√(12·ef·ew·1000·Ntb / f / (ew·b + 4·ef·(ef + ew)))",
                  "√(12 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × " + b + " + 4 × " + ef
                      + " × (" + ef + " + " + ew + ")))");
    if (in.threeSide)
        classStep("t4", "三边支承类端板", r.threeSideThickness, "√(6·ef·ew·1000·Ntb / f / (ew·(b + 2·bs) + 4·ef²))",
                  "√(6 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × (" + b + " + 2 × " + bs
                      + ") + 4 × " + ef + "²))");

    // 3. The largest class thickness governs, never below 16 mm.
    BookStep t{"t",  "端板最小厚度", "",         "", displaySingle(r.thickness),
               "mm", "thickness",    kPlateCode, "", Verdict::None};
    const bool floored = r.thickness <= 16.0f;  // no class ticked, or none above 16 mm
    if (governing.symbols.empty()) {
        t.formula = "t = 16";
        t.comparison = "未选支承条件，取 t = 16 mm";
    } else {
        t.formula = "t = max(" + governing.symbols + ", 16)";
        t.substituted = "t = max(" + governing.figures + ", 16)";
        const bool several = governing.symbols.find(',') != std::string::npos;
        const std::string largest = (several ? "max(" + governing.symbols + ")" : governing.symbols) + " = "
            + bookFigure(governing.thickness) + " mm";
        t.comparison = floored ? largest + " ≤ 16 mm，取 t = 16 mm" : largest + " > 16 mm，取 t = " + t.value + " mm";
    }
    book.steps.push_back(t);
    book.conclusion = "端板最小厚度 t = " + t.value + " mm，由"
        + (floored ? std::string("端板厚度不小于16 mm的构造要求") : governing.name) + "控制。";
    return book;
}

}  // namespace morvane
