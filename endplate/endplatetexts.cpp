#include "endplatetexts.h"

#include "numbers.h"

namespace morvane {

EndPlateInput endPlateInput(const InputTexts &texts, Edition edition)
{
    auto number = [&texts](std::string_view input) { return texts.number(input); };
    auto ticked = [&texts](std::string_view input) { return texts.text(input) == "是"; };
    EndPlateInput in;
    in.b = number("b");
    in.bs = number("bs");
    in.a = number("a");
    in.ef = number("ef");
    in.ew = number("ew");
    in.steelGrade = texts.text("steelGrade");
    in.boltSize = texts.text("boltSize");
    in.boltGrade = texts.text("boltGrade") == "8.8级" ? BoltGrade::Grade8_8 : BoltGrade::Grade10_9;
    in.cantilever = ticked("cantilever");
    in.noStiffener = ticked("noStiffener");
    in.twoSide = ticked("twoSide");
    in.threeSide = ticked("threeSide");
    in.plateEnd = texts.text("plateEnd") == "端板平齐" ? PlateEnd::Flush : PlateEnd::Extended;
    in.edition = edition;
    return in;
}

const char *endPlateRefusal(const EndPlateInput &input)
{
    return boltPretension(input.boltSize, input.boltGrade) == 0 ? kUnlistedBoltSizeMessage : nullptr;
}

}  // namespace morvane
