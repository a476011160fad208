#include "columntexts.h"

#include "numbers.h"

namespace morvane {

ColumnInput columnInput(const InputTexts &texts)
{
    auto number = [&texts](std::string_view input) { return texts.number(input); };
    ColumnInput in;
    in.width = number("width");
    in.height = number("height");
    in.cornerDiameter = texts.text("cornerDiameter");
    in.bCount = number("bCount");
    in.bDiameter = texts.text("bDiameter");
    in.hCount = number("hCount");
    in.hDiameter = texts.text("hDiameter");
    return in;
}

}  // namespace morvane
