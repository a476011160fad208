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
        {"γc", "砼容重", displayDouble(in.concreteWeight), "kN/m³"},
        {"γs", "土容重", displayDouble(in.soilWeight), "kN/m³"},
        {"", "桩数", in.pileCountText, ""},
    };
    if (!r.computable) {
        book.note = kOutOfRangeMessage;
        return book;
    }

    // The window shows only the capacity: the weights deducted are formulas
    // with their values put in.
    const std::string L = bookOperand(in.L), B = bookOperand(in.B), H = bookOperand(in.H);
    const std::string d = bookOperand(in.capDepth), R = bookOperand(in.pileCapacity);
    const std::string gc = bookOperand(in.concreteWeight), gs = bookOperand(in.soilWeight);
    const std::string capLoad = gc + " × " + H + " / 1000";
    const std::string soilLoad = gs + " × (" + d + " − " + H + ") / 1000";
    const std::string deduction = L + " × " + B + " × (" + capLoad + " + " + soilLoad + ") / 1000000";
    book.steps = {
        {"qc", "承台单位面积自重", "qc = γc·H / 1000", "qc = " + capLoad, "", "kN/m²", "", "", "", Verdict::None},
        {"qs", "承台上覆土单位面积重", "qs = γs·(d − H) / 1000", "qs = " + soilLoad, "", "kN/m²", "", "", "",
         Verdict::None},
        {"G", "承台及覆土重", "G = L·B·(qc + qs) / 1000000", "G = " + deduction, "", "kN", "", "", "", Verdict::None},
        {"Rg", "扣除承台及覆土重后的桩基承载力", "Rg = n·R − G",
         "Rg = " + std::to_string(r.pileCount) + " × " + R + " − " + deduction, r.capacityText, "kN", "Text8", "", "",
         Verdict::None},
    };
    return book;
}

}  // namespace morvane
