#pragma once
// Longitudinal reinforcement ratio of a rectangular reinforced-concrete
// column and the kind of ties it needs. Pure calculation: standard library only.

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

struct ColumnInput {
    double width = 0;            // mm, section width b
    double height = 0;           // mm, section height h
    std::string cornerDiameter;  // "直径16" ... "直径25", the four corner bars
    double bCount = 0;           // middle bars on one side of length b (any real number)
    std::string bDiameter;
    double hCount = 0;  // middle bars on one side of length h (any real number)
    std::string hDiameter;
};

inline constexpr const char *kRatioLinePrefix = "一.计算得该柱配筋率为：";
inline constexpr const char *kWeldedHoopsVerdict = "二.柱配筋率大于3%，需采用焊接封闭箍";
inline constexpr const char *kOrdinaryTiesVerdict = "二.采用普通箍即可";
// Why a count of middle bars is refused before anything is computed.
inline constexpr const char *kBarCountMessage = "钢筋根数应为大于等于0的整数";

struct ColumnResult {
    // False when no finite ratio exists (b or h equal to 0, an entry beyond
    // the double range, or values beyond it on the way); then every number
    // is 0, the hoops are not needed and every text is empty.
    bool computable = false;
    double steelArea = 0;             // mm², As of all longitudinal bars
    double ratio = 0;                 // ρ = As/(b·h), a fraction
    std::string ratioText;            // ρ·100 in the pattern "0.00"
    bool needsWeldedHoops = false;    // ρ above 3 %, unrounded; else ordinary ties do
    std::string verdict;              // the verdict sentence: the second line of the report
    std::vector<std::string> report;  // its lines: prefix + ratioText + "%", then the verdict
};

// Bar diameter, mm, by list text "直径16", "直径18", "直径20", "直径22",
// "直径25"; 0 for any other text.
int barDiameter(std::string_view text);

// Area of one circular bar, mm², with π taken as 3.14159.
double area(float d);

// True for a count of bars that can be laid: a whole number, 0 or more.
// The calculation itself takes any count at face value.
bool isBarCount(double count);

ColumnResult computeColumnRatio(const ColumnInput &input);

}  // namespace morvane
