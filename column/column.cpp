#include "column.h"

#include "numbers.h"

#include <cmath>

namespace morvane {

int barDiameter(std::string_view text)
{
    if (text == "直径16")
        return 16;
    if (text == "直径18")
        return 18;
    if (text == "直径20")
        return 20;
    if (text == "直径22")
        return 22;
    if (text == "直径25")
        return 25;
    return 0;
}

double area(float d)
{
    const double dd = d;
    return dd * dd * 3.14159 / 4;
}

bool isBarCount(double count) { return count >= 0 && std::floor(count) == count; }

ColumnResult computeColumnRatio(const ColumnInput &in)
{
    ColumnResult r;

    // Four corner bars; the middle bars of one side are doubled for the opposite side.
    const double Ac = 4 * area(barDiameter(in.cornerDiameter));
    const double Ab = (2 * in.bCount) * area(barDiameter(in.bDiameter));
    const double Ah = (2 * in.hCount) * area(barDiameter(in.hDiameter));
    const double As = (Ac + Ab) + Ah;  // mm²

    const double rho = As / in.width / in.height;
    const double percent = rho * 100;
    // An entry beyond the double range has no ratio, even where b or h
    // infinite would give a finite 0.
    if (!allFinite({in.width, in.height, in.bCount, in.hCount, Ab, Ah, As, rho, percent}))
        return r;

    r.computable = true;
    r.steelArea = As;
    r.ratio = rho;
    r.ratioText = formatTwoDecimals(percent);
    // The unrounded fraction decides, not the rounded text.
    r.needsWeldedHoops = rho > 0.03;
    r.verdict = r.needsWeldedHoops ? kWeldedHoopsVerdict : kOrdinaryTiesVerdict;
    r.report = {kRatioLinePrefix + r.ratioText + "%", r.verdict};
    return r;
}

}  // namespace morvane
