// The column ratio with arbitrary numbers and texts. `computable` is false
// exactly as documented (then every number is 0 and every text empty): for
// b or h equal to 0 or NaN and for bar counts beyond the double range, and
// true for inputs of ordinary size. A result has the ratio in the pattern "0.00"
// reading back to ρ·100, the verdict the unrounded ρ decides and the report
// made of both.

#include "column.h"
#include "fuzzcheck.h"

#include <cmath>

using fuzzcheck::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzcheck::Input in(data, size);
    morvane::ColumnInput input;
    input.width = in.number();
    input.height = in.number();
    input.bCount = in.number();
    input.hCount = in.number();
    const std::initializer_list<const char *> diameters = {"直径16", "直径18", "直径20", "直径22", "直径25"};
    input.cornerDiameter = in.text(diameters);
    input.bDiameter = in.text(diameters);
    input.hDiameter = in.text(diameters);

    const morvane::ColumnResult r = morvane::computeColumnRatio(input);

    if (!r.computable) {
        require(r.steelArea == 0 && r.ratio == 0 && r.ratioText.empty() && !r.needsWeldedHoops && r.verdict.empty()
                    && r.report.empty(),
                "no result: every number 0 and every text empty");
    } else {
        require(std::isfinite(r.steelArea) && std::isfinite(r.ratio), "a result is finite");
        const std::string &t = r.ratioText;
        fuzzcheck::requireNumberText(t, "ratioText");
        const std::size_t sign = t[0] == '-' ? 1 : 0;
        const std::size_t point = t.find('.');
        require(point != std::string::npos && point > sign && point + 3 == t.size()
                    && t.find_first_not_of("0123456789", sign) == point
                    && t.find_first_not_of("0123456789", point + 1) == std::string::npos
                    && (point == sign + 1 || t[sign] != '0'),
                "ratioText in the pattern 0.00", t);
        const double percent = r.ratio * 100;
        require(std::fabs(fuzzcheck::readBack(t) - percent) <= 0.0050001 + std::fabs(percent) * 6e-15,
                "ratioText reads back to the ratio", t + " for " + fuzzcheck::show(percent));
        require(r.needsWeldedHoops == (r.ratio > 0.03), "the unrounded ratio decides the hoops");
        require(r.verdict == (r.needsWeldedHoops ? morvane::kWeldedHoopsVerdict : morvane::kOrdinaryTiesVerdict),
                "the verdict tells the hoops");
        require(r.report == std::vector<std::string>{morvane::kRatioLinePrefix + t + "%", r.verdict},
                "report of both lines");
    }
    if (input.width == 0 || input.height == 0 || !std::isfinite(input.width) || !std::isfinite(input.height)
        || !fuzzcheck::ordinary({input.bCount, input.hCount}, 0, DBL_MAX))
        require(!r.computable, "no result for b or h of 0 or a value beyond the double range");
    if (fuzzcheck::ordinary({input.width, input.height}, 1, 1e6)
        && fuzzcheck::ordinary({input.bCount, input.hCount}, 0, 1e6))
        require(r.computable, "a result for inputs of ordinary size");
    return 0;
}
