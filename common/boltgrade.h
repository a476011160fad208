#pragma once
// Property class and pretension of a high-strength bolt, shared by the bolt
// connection and the end plate calculators.

#include <string_view>

namespace morvane {

enum class BoltGrade {
    Grade8_8,   // "8.8级"
    Grade10_9,  // "10.9级"
};

// Pretension P of one high-strength bolt, kN, by size text ("M16" ... "M30")
// and property class. The text must match exactly; any other text gives 0.
int boltPretension(std::string_view boltSize, BoltGrade grade);

}  // namespace morvane
