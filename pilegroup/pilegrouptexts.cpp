#include "pilegrouptexts.h"

#include "numbers.h"

namespace morvane {

PileGroupInput pileGroupInput(const InputTexts &texts)
{
    auto number = [&texts](std::string_view input) { return texts.number(input); };
    PileGroupInput in;
    in.L = number("L");
    in.B = number("B");
    in.H = number("H");
    in.capDepth = number("capDepth");
    in.pileCapacity = number("pileCapacity");
    in.concreteWeight = number("concreteWeight");
    in.soilWeight = number("soilWeight");
    in.pileCountText = texts.text("pileCountText");  // as shown, picked or typed
    return in;
}

bool capDepthAboveCapTop(double capDepth, double capHeight) { return capDepth < capHeight; }

}  // namespace morvane
