// The pile group with arbitrary numbers and texts. The pile count is the
// place of the text in the list, 0 for any other; `computable` is false
// exactly as documented (then every number but the pile count is 0 and the
// text empty): for a text off the list and for any input beyond the double
// range, and true for a listed text with inputs of ordinary size. A result
// is finite and its text reads back to it.

#include "fuzzcheck.h"
#include "pilegroup.h"

#include <cmath>

using fuzzcheck::require;

namespace {

const char *const kCounts[] = {
    "单桩", "两桩", "三桩",   "四桩",   "五桩",   "六桩",   "七桩",   "八桩",
    "九桩", "十桩", "十一桩", "十二桩", "十三桩", "十四桩", "十五桩", "十六桩",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzcheck::Input in(data, size);
    morvane::PileGroupInput input;
    input.L = in.number();
    input.B = in.number();
    input.H = in.number();
    input.capDepth = in.number();
    input.pileCapacity = in.number();
    input.concreteWeight = in.number();
    input.soilWeight = in.number();
    const std::uint8_t choice = in.byte();
    if (choice < 200) {
        input.pileCountText = kCounts[choice % 16];
    } else {
        for (std::size_t n = in.byte() % 16; n > 0; --n)
            input.pileCountText.push_back(static_cast<char>(in.byte()));
    }

    const morvane::PileGroupResult r = morvane::computePileGroup(input);

    int expectedCount = 0;
    for (int i = 0; i < 16; ++i)
        if (input.pileCountText == kCounts[i])
            expectedCount = i + 1;
    require(r.pileCount == expectedCount, "pile count by the list text", input.pileCountText);

    require((r.refusal == morvane::PileGroupRefusal::None) == r.computable && r.refusalText.empty() == r.computable,
            "a refusal, told, exactly when there is no result");
    if (!r.computable) {
        require(r.capLoad == 0 && r.soilLoad == 0 && r.deduction == 0 && r.capacity == 0 && r.capacityText.empty(),
                "no result: every number but the pile count 0 and the text empty");
    } else {
        require(fuzzcheck::ordinary({r.capLoad, r.soilLoad, r.deduction, r.capacity}, 0, DBL_MAX),
                "a result is finite");
        fuzzcheck::requireNumberText(r.capacityText, "capacityText");
        fuzzcheck::requireReadsBack(r.capacityText, r.capacity, 5e-15, "capacityText");
    }
    const std::initializer_list<double> all = {
        input.L, input.B, input.H, input.capDepth, input.pileCapacity, input.concreteWeight, input.soilWeight};
    if (!fuzzcheck::ordinary(all, 0, DBL_MAX) || expectedCount == 0)
        require(!r.computable, "no result for a text off the list or an input beyond the double range");
    if (fuzzcheck::ordinary(all, 0, 1e6) && expectedCount > 0)
        require(r.computable, "a result for a listed text and inputs of ordinary size");
    return 0;
}
