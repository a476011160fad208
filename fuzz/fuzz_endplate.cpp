// The end plate with arbitrary numbers and texts. The bolt capacity is
// always given; `hasThickness` is false exactly as documented (then the
// thickness is 0 and its text empty): with the unlisted-steel message for a
// ticked class of an unlisted steel, with an empty message for a length a
// ticked class reads beyond the double range; it is true for ticked classes
// whose lengths are positive and of ordinary size, false for a zero divisor
// or a negative root of the cantilever class. A length only another
// class reads changes nothing. Under the current edition Ntb is 0.8 P in
// double precision, the thickness is at least 0.8 times the bolt diameter
// and at most 100 mm, and the plate strength is that of the thickness group
// the governing class thickness falls in.

#include "endplate.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

using fuzzcheck::require;

namespace {

bool sameResult(const morvane::EndPlateResult &a, const morvane::EndPlateResult &b)
{
    return a.Ntb == b.Ntb && a.NtbText == b.NtbText && a.hasThickness == b.hasThickness && a.thickness == b.thickness
        && a.thicknessText == b.thicknessText && a.message == b.message;
}

// The current edition's thickness: at least 16 mm and 0.8 times the bolt
// diameter, at most 100 mm; with a class ticked, the strength of the group
// the governing class thickness falls in (the first for 40 mm or less).
void requireCurrentThickness(const morvane::EndPlateInput &input, const morvane::EndPlateResult &r)
{
    const double governing = std::max(
        {r.cantileverThickness, r.noStiffenerThickness, r.twoSideThickness, r.threeSideThickness});
    require(r.leastThickness == morvane::leastPlateThickness(input.boltSize) && r.leastThickness >= 16,
            "the least thickness is 16 mm and 0.8 times the bolt diameter");
    require(r.thickness == std::max(governing, r.leastThickness) && r.thickness <= 100,
            "the thickness is the governing class's, within 16 mm or 0.8 d and 100 mm", fuzzcheck::show(r.thickness));
    if (!input.cantilever && !input.noStiffener && !input.twoSide && !input.threeSide)
        return;  // no class: the least thickness, no strength
    int group = 0;
    std::optional<morvane::StrengthGroup> strength = morvane::plateStrengthGroup(input.steelGrade, 0);
    while (strength && governing > strength->to)
        strength = morvane::plateStrengthGroup(input.steelGrade, ++group);
    require(strength && r.f == strength->f && r.strengthFrom == strength->from && r.strengthTo == strength->to,
            "the plate strength is that of the governing thickness's group",
            fuzzcheck::show(governing) + " mm, f " + std::to_string(r.f));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzcheck::Input in(data, size);
    morvane::EndPlateInput input;
    input.b = in.number();
    input.bs = in.number();
    input.a = in.number();
    input.ef = in.number();
    input.ew = in.number();
    input.steelGrade = in.text({"Q235", "Q345", "Q390", "Q420"});
    input.boltSize = in.text({"M16", "M20", "M22", "M24", "M27", "M30"});
    input.boltGrade = in.flag() ? morvane::BoltGrade::Grade8_8 : morvane::BoltGrade::Grade10_9;
    const std::uint8_t classes = in.byte();
    input.cantilever = classes & 1;
    input.noStiffener = classes & 2;
    input.twoSide = classes & 4;
    input.threeSide = classes & 8;
    input.plateEnd = classes & 16 ? morvane::PlateEnd::Flush : morvane::PlateEnd::Extended;
    // Read last, so that the inputs found before the current edition keep their meaning.
    const bool current = in.flag();
    input.edition = current ? morvane::Edition::Current : morvane::Edition::Original;

    const morvane::EndPlateResult r = morvane::computeEndPlate(input);

    // The bolt capacity, always.
    const int P = morvane::boltPretension(input.boltSize, input.boltGrade);
    require(r.Ntb == (current ? 0.8 * P : static_cast<float>(0.8 * P)), "Ntb is 0.8 P");
    fuzzcheck::requireNumberText(r.NtbText, "NtbText");
    fuzzcheck::requireReadsBack(r.NtbText, r.Ntb, current ? 5e-15 : 5e-7, "NtbText");

    const bool anyClass = input.cantilever || input.noStiffener || input.twoSide || input.threeSide;
    const bool listedSteel = fuzzcheck::listed(input.steelGrade, {"Q235", "Q345", "Q390", "Q420"});
    if (r.hasThickness) {
        require(std::isfinite(r.thickness) && r.thickness >= 16, "a thickness is finite and at least 16 mm");
        const std::string prefix = "此端板的最小厚度为";
        const std::string &t = r.thicknessText;
        require(t.size() > prefix.size() + 2 && t.compare(0, prefix.size(), prefix) == 0
                    && t.compare(t.size() - 2, 2, "mm") == 0,
                "thickness text", t);
        const std::string number = t.substr(prefix.size(), t.size() - prefix.size() - 2);
        fuzzcheck::requireNumberText(number, "thickness in its text");
        fuzzcheck::requireReadsBack(number, r.thickness, 5e-7, "thickness in its text");
        require(r.message.empty(), "no message with a thickness");
        if (current)
            requireCurrentThickness(input, r);
    } else {
        require(r.thickness == 0 && r.thicknessText.empty(), "no thickness: 0 and an empty text");
    }
    if (anyClass && !listedSteel) {
        require(!r.hasThickness && r.message == morvane::kUnlistedSteelMessage,
                "a ticked class of an unlisted steel tells why");
        return 0;
    }
    require(r.message.empty(), "the message only for an unlisted steel");

    // The lengths each ticked class reads.
    bool lengthBeyondRange = false;
    bool lengthsOrdinary = true;
    const auto reads = [&](std::initializer_list<double> lengths) {
        for (double v : lengths) {
            lengthBeyondRange = lengthBeyondRange || !std::isfinite(v);
            lengthsOrdinary = lengthsOrdinary && v >= 1 && v <= 1e4;
        }
    };
    if (input.cantilever)
        reads({input.b, input.ef});
    if (input.noStiffener)
        reads({input.a, input.ew});
    if (input.twoSide)
        reads({input.b, input.ef, input.ew});
    if (input.threeSide)
        reads({input.b, input.bs, input.ef, input.ew});
    if (lengthBeyondRange)
        require(!r.hasThickness, "no thickness from a length beyond the double range");
    if (lengthsOrdinary && !current)
        require(r.hasThickness, "a thickness from positive lengths of ordinary size");
    if (lengthsOrdinary && current) {
        // Thicker than 100 mm only where the original edition's plate, of a
        // strength at most a fifth above the current's, is over 60 mm thick.
        morvane::EndPlateInput original = input;
        original.edition = morvane::Edition::Original;
        const morvane::EndPlateResult o = morvane::computeEndPlate(original);
        if (o.hasThickness && o.thickness <= 60)
            require(r.hasThickness, "a thickness from positive lengths of ordinary size",
                    "the original edition's " + fuzzcheck::show(o.thickness));
    }
    // The cantilever class alone, t² = 6·ef·Ntb·1000/b/f: a zero b divides
    // by zero, and ef and b of opposite signs ask for a negative root.
    const bool cantileverAlone = (classes & 15) == 1;
    if (cantileverAlone && P > 0 && std::isfinite(input.ef) && input.b == 0)
        require(!r.hasThickness, "no thickness from a zero divisor");
    if (cantileverAlone && P > 0 && fuzzcheck::ordinary({input.b, input.ef}, 1e-3, 1e6)
        && (input.ef < 0) != (input.b < 0))
        require(!r.hasThickness, "no thickness from a negative root");

    // bs only for the three-side class, a only for the no-stiffener class,
    // the plate end only for the two-side class.
    morvane::EndPlateInput other = input;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!input.threeSide)
        other.bs = nan;
    if (!input.noStiffener)
        other.a = nan;
    if (!input.twoSide)
        other.plateEnd = input.plateEnd == morvane::PlateEnd::Flush ? morvane::PlateEnd::Extended
                                                                    : morvane::PlateEnd::Flush;
    require(sameResult(r, morvane::computeEndPlate(other)), "a length no ticked class reads changes nothing");
    return 0;
}
