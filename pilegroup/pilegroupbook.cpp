#include "pilegroupbook.h"

#include "booktext.h"
#include "numbers.h"

namespace morvane {

CalcBook describePileGroup(const PileGroupInput &in, const PileGroupResult &r)
{
    CalcBook book;
    book.calculator = "桩基承载力估算";
    book.inputs = {
        {"L", "承台长度", displayDouble(in.L), "mm"},
        {"B", "承台宽度", displayDouble(in.B), "mm"},
        {"H", "承台高度", displayDouble(in.H), "mm"},
        {"d", "承台埋深", displayDouble(in.capDepth), "mm"},
        {"R", "单桩桩承载力设计值", displayDouble(in.pileCapacity), "kN"},
        {"γc", "混凝土重度", displayDouble(in.concreteWeight), "kN/m³"},
        {"γs", "土的重度", displayDouble(in.soilWeight), "kN/m³"},
        {"", "桩数", in.pileCountText, ""},
    };
    if (!r.computable) {
        book.note = r.refusalText;
        return book;
    }

    // The window shows only the capacity: the pile count and the weights
    // deducted are steps with their figures, rounded for reading; a later
    // formula takes them whole, so that it gives the capacity shown.
    const std::string H = bookOperand(in.H), qc = bookOperand(r.capLoad), qs = bookOperand(r.soilLoad);
    book.steps = {
        {"n", "桩数", "n 按所选桩数", in.pileCountText, std::to_string(r.pileCount), "", "", "", "", Verdict::None},
        {"qc", "承台单位面积自重", "qc = γc·H / 1000", "qc = " + bookOperand(in.concreteWeight) + " × " + H + " / 1000",
         bookFigure(r.capLoad), "kN/m²", "", "", "", Verdict::None},
        {"qs", "承台上覆土单位面积重", "qs = γs·(d − H) / 1000",
         "qs = " + bookOperand(in.soilWeight) + " × (" + bookOperand(in.capDepth) + " − " + H + ") / 1000",
         bookFigure(r.soilLoad), "kN/m²", "", "", "", Verdict::None},
        {"G", "承台及覆土重", "G = L·B·(qc + qs) / 1000000",
         "G = " + bookOperand(in.L) + " × " + bookOperand(in.B) + " × (" + qc + " + " + qs + ") / 1000000",
         bookFigure(r.deduction), "kN", "", "", "", Verdict::None},
        {"Rg", "扣除承台及覆土重后的桩基承载力", "Rg = n·R − G",
         "Rg = " + std::to_string(r.pileCount) + " × " + bookOperand(in.pileCapacity) + " − "
             + bookOperand(r.deduction),
         r.capacityText, "kN", "capacity", "", "", Verdict::None},
    };
    book.conclusion = "扣除承台及覆土重后的桩基承载力 Rg = " + r.capacityText + " kN。";
    return book;
}

}  // namespace morvane
