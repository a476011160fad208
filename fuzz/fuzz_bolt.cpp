// The bolt connection with arbitrary numbers and texts. `computable` is
// false exactly as documented: then every number is 0 and every text empty;
// it is false for a zero divisor (ew or tw of 0, all four row distances 0)
// and for values beyond the single range in the bolt tension step; it is
// true for inputs of ordinary size. A result has finite numbers, well-formed
// texts that read back to them, and the verdict lines it offers, in step
// with its three checks. The signs of M and V do not matter: -M and -V give
// the same result. Both editions: the current one computes in double
// precision throughout, has no slip coefficient for Q420 steel brushed
// clean (then only its message), and its bolt line carries the ratio of
// shear and tension, rounded up to hundredths.

#include "boltconnection.h"
#include "fuzzcheck.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

using fuzzcheck::require;
using fuzzcheck::requireNumberText;
using fuzzcheck::requireReadsBack;

namespace {

bool beyondSingle(double v) { return !(std::fabs(v) <= FLT_MAX); }

// The steels and bolt sizes the window offers. The current edition has no
// result for another (no slip coefficient, no pretension), the original a
// result of 0s.
constexpr std::initializer_list<const char *> kSteels = {"Q235", "Q345", "Q390", "Q420"};
constexpr std::initializer_list<const char *> kBoltSizes = {"M16", "M20", "M22", "M24", "M27", "M30"};

void requireNoResult(const morvane::BoltConnectionResult &r)
{
    const bool zeros = r.Nt1 == 0 && r.Nv1 == 0 && r.Nbv1 == 0 && r.P == 0 && r.nt2 == 0 && r.mu == 0 && r.sigma == 0
        && !r.tensionSatisfied && !r.shearSatisfied && !r.webSatisfied;
    const bool empty = r.verdict.empty() && r.Nt1Text.empty() && r.Nv1Text.empty() && r.Nbv1Text.empty()
        && r.PText.empty() && r.nt2Text.empty() && r.muText.empty();
    require(zeros && empty, "no result: every number 0 and every text empty");
}

void requireResult(const morvane::BoltConnectionResult &r, bool current)
{
    require(fuzzcheck::ordinary({r.Nt1, r.Nv1, r.Nbv1, r.nt2, r.mu, r.sigma}, 0, DBL_MAX),
            "a result has finite numbers");
    requireNumberText(r.Nt1Text, "Nt1Text");
    requireReadsBack(r.Nt1Text, r.Nt1 / 1000, 5e-15, "Nt1Text");
    requireNumberText(r.Nv1Text, "Nv1Text");
    requireReadsBack(r.Nv1Text, r.Nv1, 5e-15, "Nv1Text");
    requireNumberText(r.Nbv1Text, "Nbv1Text");
    requireReadsBack(r.Nbv1Text, r.Nbv1 / 1000, 5e-15, "Nbv1Text");
    requireNumberText(r.nt2Text, "nt2Text");
    requireReadsBack(r.nt2Text, r.nt2, 5e-15, "nt2Text");
    requireNumberText(r.PText, "PText");
    require(r.PText == std::to_string(r.P), "PText");
    requireNumberText(r.muText, "muText");
    requireReadsBack(r.muText, r.mu, current ? 5e-15 : 5e-7, "muText");
    require(r.verdict.size() == 2, "the verdict is two lines");
    const std::string &bolt = r.verdict[0];
    const std::string &web = r.verdict[1];
    require(web == morvane::kWebSatisfiedLine || web == morvane::kWebFailureLine, "web verdict is one of its lines",
            web);
    require(r.webSatisfied == (web == morvane::kWebSatisfiedLine), "the web check agrees with its line", web);
    if (!current) {
        require(bolt == morvane::kTensionFailureLine || bolt == morvane::kShearFailureLine
                    || bolt == morvane::kBoltsSatisfiedLine,
                "bolt verdict is one of its lines", bolt);
        require(r.tensionSatisfied == (bolt != morvane::kTensionFailureLine)
                    && r.shearSatisfied == (bolt == morvane::kBoltsSatisfiedLine),
                "the checks agree with the verdict lines", bolt);
        require(r.ratioText.empty(), "no ratio under the original edition", r.ratioText);
        return;
    }
    // The ratio to hundredths, rounded up: at least the ratio, less than a hundredth above it.
    const std::size_t point = r.ratioText.find('.');
    require(r.ratio >= 0 && point != std::string::npos && point > 0 && point + 3 == r.ratioText.size()
                && r.ratioText.find_first_not_of("0123456789.") == std::string::npos,
            "the ratio is written to two decimals", r.ratioText);
    const double written = std::strtod(r.ratioText.c_str(), nullptr);
    require(written >= r.ratio * (1 - 1e-15) && written - 0.01 < r.ratio * (1 + 1e-15) + 1e-12,
            "the ratio is rounded up to hundredths", r.ratioText + " for " + fuzzcheck::show(r.ratio));
    require(bolt == morvane::kCurrentTensionFailureLine || bolt == morvane::currentCombinedFailureLine(r.ratioText)
                || bolt == morvane::currentBoltsSatisfiedLine(r.ratioText),
            "bolt verdict is one of its lines", bolt);
    require(r.tensionSatisfied == (bolt != morvane::kCurrentTensionFailureLine)
                && r.shearSatisfied == (bolt == morvane::currentBoltsSatisfiedLine(r.ratioText))
                && r.shearSatisfied == (r.tensionSatisfied && r.ratio <= 1),
            "the checks agree with the verdict lines", bolt);
}

// The texts of a result, in one string.
std::string texts(const morvane::BoltConnectionResult &r)
{
    std::string out = r.Nt1Text + "|" + r.Nv1Text + "|" + r.Nbv1Text + "|" + r.PText + "|" + r.nt2Text + "|" + r.muText;
    for (const std::string &line : r.verdict)
        out += "|" + line;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzcheck::Input in(data, size);
    morvane::BoltConnectionInput input;
    const std::uint8_t rowsChoice = in.byte();
    const bool listedRows = rowsChoice < 240;
    input.rows = listedRows ? 4 + 2 * (rowsChoice % 3) : in.raw<int>();
    input.e1 = in.number();
    input.e2 = in.number();
    input.e3 = in.number();
    input.ef = in.number();
    input.ew = in.number();
    input.tw = in.number();
    input.M = in.number();
    input.V = in.number();
    input.amplification = in.number();
    input.steelGrade = in.text(kSteels);
    input.boltSize = in.text(kBoltSizes);
    input.boltGrade = in.flag() ? morvane::BoltGrade::Grade8_8 : morvane::BoltGrade::Grade10_9;
    const std::uint8_t treatment = in.byte();
    // Read last, so that the inputs found before the current edition keep their meaning.
    const bool current = in.flag();
    input.edition = current ? morvane::Edition::Current : morvane::Edition::Original;
    // The treatments each edition offers.
    using morvane::SurfaceTreatment;
    static constexpr SurfaceTreatment kCurrentTreatments[] = {
        SurfaceTreatment::GritBlasted, SurfaceTreatment::ShotBlasted, SurfaceTreatment::WireBrushed};
    input.surfaceTreatment = current ? kCurrentTreatments[treatment % 3] : SurfaceTreatment(treatment % 4);

    const morvane::BoltConnectionResult r = morvane::computeBoltConnection(input);
    const bool noSlipCoefficient = current && input.surfaceTreatment == SurfaceTreatment::WireBrushed
        && input.steelGrade == "Q420";
    const bool laidOut = input.rows == 4 || input.rows == 6 || input.rows == 8;
    require(r.message == (noSlipCoefficient && laidOut ? morvane::kQ420WireBrushedMessage : ""),
            "the message only where the current edition has no slip coefficient", r.message);
    if (!r.computable) {
        requireNoResult(r);
    } else {
        requireResult(r, current);
    }
    // The connection is symmetric about its centre line, and the shear's
    // direction does not matter.
    morvane::BoltConnectionInput reversed = input;
    reversed.M = -input.M;
    reversed.V = -input.V;
    const morvane::BoltConnectionResult mirrored = morvane::computeBoltConnection(reversed);
    require(mirrored.computable == r.computable && texts(mirrored) == texts(r), "-M and -V give the same result",
            texts(r) + " against " + texts(mirrored));
    if (!listedRows)
        return 0;  // any other count: only no crash and a consistent flag

    // Row distances from the centre line and the amplified moment, as the
    // bolt tension step takes them.
    const double y1 = input.e1;
    const double y2 = input.e1 + input.e2;
    const double y3 = y2 + input.e3;
    const double y4 = y3 + 2 * input.ef;
    const double d2 = input.rows >= 6 ? y2 : 0;
    const double d3 = input.rows == 8 ? y3 : 0;
    const double Md = input.M * input.amplification;
    if (noSlipCoefficient)
        require(!r.computable, "no result without a slip coefficient");
    if (current) {
        if (y1 == 0 && d2 == 0 && d3 == 0 && y4 == 0)
            require(!r.computable, "no result when all row distances are 0 (zero divisor)");
    } else if (beyondSingle(Md) || beyondSingle(y1) || beyondSingle(d2) || beyondSingle(d3) || beyondSingle(y4)) {
        require(!r.computable, "no result beyond the single range of the bolt tension step");
    } else if (static_cast<float>(y1) == 0 && static_cast<float>(d2) == 0 && static_cast<float>(d3) == 0
               && static_cast<float>(y4) == 0) {
        require(!r.computable, "no result when all row distances are 0 (zero divisor)");
    }
    if (input.ew == 0 || input.tw == 0)
        require(!r.computable, "no result when ew or tw is 0 (zero divisor)");
    for (const double entry :
         {input.e1, input.e2, input.e3, input.ef, input.ew, input.tw, input.M, input.V, input.amplification})
        if (!std::isfinite(entry))
            require(!r.computable, "no result for an entry beyond the double range");

    if (fuzzcheck::ordinary({input.e1, input.e2, input.e3, input.ef, input.M, input.V, input.amplification}, 0, 1e6)
        && fuzzcheck::ordinary({input.ew, input.tw, y4}, 1e-3, 1e7) && !noSlipCoefficient
        && (!current
            || (fuzzcheck::listed(input.steelGrade, kSteels) && fuzzcheck::listed(input.boltSize, kBoltSizes))))
        require(r.computable, "a result for inputs of ordinary size",
                input.steelGrade + " " + input.boltSize + " rows " + std::to_string(input.rows) + " e1 "
                    + fuzzcheck::show(input.e1) + " M " + fuzzcheck::show(input.M) + " V " + fuzzcheck::show(input.V)
                    + " amplification " + fuzzcheck::show(input.amplification) + (current ? " current" : ""));
    return 0;
}
