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

    // 1. Bolt capacity, shown whatever the plate.
    BookStep ntb;
    ntb.symbol = "Ntb";
    ntb.name = "单个螺栓受拉承载力设计值";
    ntb.formula = "Ntb = 0.8·P";
    ntb.substituted = "Ntb = 0.8 × " + std::to_string(P);
    ntb.value = r.NtbText;
    ntb.unit = "kN";
    ntb.resultBox = "Text7";
    ntb.source = kSteelCode;
    book.steps.push_back(ntb);

    if (!r.hasThickness) {
        book.note = r.message.empty() ? kOutOfRangeMessage : r.message;
        return book;
    }

    // 2. One thickness per ticked class; the window shows none of them, so
    //    each is a formula with its values put in.
    const std::string f = std::to_string(steelStrength(in.steelGrade).value_or(0));
    const std::string N = r.NtbText;
    const std::string b = bookOperand(in.b), bs = bookOperand(in.bs), a = bookOperand(in.a);
    const std::string ef = bookOperand(in.ef), ew = bookOperand(in.ew);
    std::string governing;  // "t1, t2, "
    auto classStep = [&](const char *symbol, const char *name, std::string formula, std::string substituted) {
        book.steps.push_back({symbol, name, std::string(symbol) + " = " + formula,
                              std::string(symbol) + " = " + substituted, "", "mm", "", kPlateCode, "", Verdict::None});
        governing += std::string(symbol) + ", ";
    };
    if (in.cantilever)
        classStep("t1", "伸臂类端板厚度", "√(6·ef·Ntb·1000 / b / f)",
                  "√(6 × " + ef + " × " + N + " × 1000 / " + b + " / " + f + ")");
    if (in.noStiffener)
        classStep("t2", "无加劲肋类端板厚度", "√(3·ew·Ntb·1000 / f / (0.5·a + ew))",
                  "√(3 × " + ew + " × " + N + " × 1000 / " + f + " / (0.5 × " + a + " + " + ew + "))");
    if (in.twoSide && in.plateEnd == PlateEnd::Extended)
        classStep("t3", "两边支承端板（端板外伸）厚度", "√(6·ef·ew·1000·Ntb / f / (ew·b + 2·ef·(ef + ew)))",
                  "√(6 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × " + b + " + 2 × " +
                      ef + " × (" + ef + " + " + ew + ")))");
    if (in.twoSide && in.plateEnd == PlateEnd::Flush)
        classStep("t3", "两边支承端板（端板平齐）厚度", "√(12·ef·ew·1000·Ntb / f / (ew·b + 4·ef·(ef + ew)))",
                  "√(12 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × " + b + " + 4 × " +
                      ef + " × (" + ef + " + " + ew + ")))");
    if (in.threeSide)
        classStep("t4", "三边支承类端板厚度", "√(6·ef·ew·1000·Ntb / f / (ew·(b + 2·bs) + 4·ef²))",
                  "√(6 × " + ef + " × " + ew + " × 1000 × " + N + " / " + f + " / (" + ew + " × (" + b + " + 2 × " +
                      bs + ") + 4 × " + ef + "²))");

    // 3. The largest class thickness governs, never below 16 mm.
    BookStep t;
    t.symbol = "t";
    t.name = "端板最小厚度";
    t.value = r.thicknessText;
    t.resultBox = "Text6";
    t.source = kPlateCode;
    const std::string shown = displaySingle(r.thickness);
    if (governing.empty()) {
        t.formula = "t = 16";
        t.comparison = "未选支承条件，取 t = 16 mm";
    } else {
        t.formula = "t = max(" + governing + "16)";
        governing.resize(governing.size() - 2);
        if (governing.find(',') != std::string::npos)
            governing = "max(" + governing + ")";
        t.comparison = r.thickness > 16.0f ? "t = " + shown + " mm > 16 mm" : governing + " ≤ 16 mm，取 t = 16 mm";
    }
    book.steps.push_back(t);
    return book;
}

}  // namespace morvane
