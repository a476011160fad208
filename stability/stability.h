#pragma once
// Slenderness of an axially compressed steel member and its stability
// coefficient by steel grade and section class, by either edition of the
// design code: the original (GB 50017-2003: classes a, b, c) or the current
// (GB 50017-2017 7.2.1 and Appendix D: classes a to d, Q420 and Q460 too).
// Pure calculation: standard library only.

#include "edition.h"

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

struct SlendernessInput {
    double length = 0;       // mm, effective length L
    double inertia = 0;      // 10^4 mm^4, moment of inertia I
    double sectionArea = 0;  // mm^2, area A
    // The slenderness is the same under both editions; its book cites the edition's code.
    Edition edition = Edition::Original;

    bool operator==(const SlendernessInput &) const = default;
};

// The check of the slenderness's inputs that failed first, and its warning.
enum class SlendernessWarning : unsigned char { None, Length, Inertia, Area };
inline constexpr const char *kLengthWarning = "构件的计算长度不得<=0";
inline constexpr const char *kInertiaWarning = "构件的惯性距不得<=0";
inline constexpr const char *kAreaWarning = "构件的面积不得为<=0";
// Why no coefficient is computed: no slenderness, a negative one, a steel
// outside the grade table, a section class outside the three.
enum class StabilityRefusal : unsigned char { None, NoSlenderness, NegativeSlenderness, UnlistedSteel, UnlistedClass };
inline constexpr const char *kStabilitySteelMessage = "钢材应为Q235、Q345或Q390";
inline constexpr const char *kStabilityClassMessage = "截面类型应为a类、b类或c类";
inline constexpr const char *kCurrentStabilitySteelMessage = "钢材应为Q235、Q345、Q390、Q420或Q460";
inline constexpr const char *kCurrentStabilityClassMessage = "截面类型应为a类、b类、c类或d类";
inline constexpr const char *kNoSlendernessMessage = "请先计算或输入长细比";
inline constexpr const char *kNegativeSlendernessMessage = "长细比不得小于0";

struct SlendernessResult {
    SlendernessWarning warning = SlendernessWarning::None;
    std::string warningText;  // the warning of that check, empty for none
    // False when no finite slenderness exists even after the adjustment
    // that goes with the warning (negative I·10000/A, A = 0 in the division,
    // a zero radius of gyration, or values beyond the double range); then
    // radius and slenderness are 0 and slendernessText is empty, and `warning`
    // is kept.
    bool hasSlenderness = false;
    double radius = 0;            // i = √(I·10000 / A), mm, radius of gyration
    double slenderness = 0;       // λ
    std::string slendernessText;  // λ in double-precision display
};

struct StabilityInput {
    std::string steelGrade;    // "Q235", "Q345", "Q390" (current edition: "Q420", "Q460" too), matched exactly
    std::string sectionClass;  // "a类", "b类", "c类" (current edition: "d类" too), matched exactly
    double slenderness = 0;    // λ as read back from the slenderness box
    Edition edition = Edition::Original;
};

struct StabilityResult {
    // False when the section class text is none of the three classes, or
    // when φ is not a finite number (a slenderness beyond the double
    // range); then coefficient is 0 and coefficientText is empty.
    bool hasResult = false;
    double yieldStrength = 0;          // fy, N/mm² (0 for an unrecognised grade)
    double normalisedSlenderness = 0;  // λn (0 when it is not finite)
    double coefficient = 0;            // φ
    // The original edition: double display up to λn 0.215, "#.####" above;
    // the current edition: three decimals ("0.936", "1.000"), as its tables.
    std::string coefficientText;
};

// Constants of the stability coefficient: π as this calculation takes it,
// the elastic modulus of steel (N/mm²), the λn up to which φ = 1 − α1·λn²,
// and α1, α2, α3 by section class; class c takes its second pair of α2 and
// α3 above λn = kClassCBand.
inline constexpr double kStabilityPi = 3.1415926;
// π as the current edition's tables D.0.1 to D.0.4 were computed with it:
// with it the formula of D.0.5 gives every value of those tables.
inline constexpr double kCurrentStabilityPi = 3.14;
inline constexpr double kSteelElasticModulus = 206000;
inline constexpr double kStockyLimit = 0.215;
inline constexpr double kClassCBand = 1.05;

struct SectionAlphas {
    double alpha1, alpha2, alpha3;
};
inline constexpr SectionAlphas kClassA{0.41, 0.986, 0.152};
inline constexpr SectionAlphas kClassB{0.65, 0.965, 0.3};
inline constexpr SectionAlphas kClassC{0.73, 0.906, 0.595};
inline constexpr SectionAlphas kClassCAboveBand{0.73, 1.216, 0.302};
inline constexpr SectionAlphas kClassD{1.35, 0.868, 0.915};  // current edition only
inline constexpr SectionAlphas kClassDAboveBand{1.35, 1.375, 0.432};

// φ of `ablei` and `clei` with its text; computable is false (and value 0,
// text empty) when φ is not a finite number.
struct StabilityCoefficient {
    bool computable = false;
    double value = 0;
    std::string text;
};

SlendernessResult computeSlenderness(const SlendernessInput &input);

StabilityResult computeStability(const StabilityInput &input);

// fy in N/mm² of a steel grade text, matched whole and case-sensitively:
// "Q235" 235, "Q345" 345, "Q390" 390, under the current edition "Q420" 420
// and "Q460" 460 too (thickness up to 16 mm), any other text 0.
double yieldStrength(const std::string &steelGrade, Edition edition = Edition::Original);

// True when the text is one of the section classes "a类", "b类", "c类",
// under the current edition "d类" too.
bool isSectionClass(const std::string &text, Edition edition = Edition::Original);

// Why no coefficient is given for these entries, or None when one is:
// the first that holds of a slenderness text of blanks only (none given),
// a slenderness below 0, a steel outside the grade table, a section class
// outside the three. `slendernessText` is the text the slenderness is read
// from, as typed.
StabilityRefusal stabilityRefusal(std::string_view slendernessText, const std::string &steelGrade,
                                  const std::string &sectionClass, Edition edition = Edition::Original);

// The message that tells a refusal under an edition; empty for None.
const char *refusalMessage(StabilityRefusal refusal, Edition edition = Edition::Original);

// Stability coefficient of section classes a and b.
StabilityCoefficient ablei(double alpha1, double alpha2, double alpha3, double lambdaN);

// Stability coefficient of section class c: α2 and α3 by the band of λn.
StabilityCoefficient clei(double alpha1, double lambdaN);

// The section's α1, α2 and α3 at λn under an edition (classes c and d by
// the band of λn); none for a text that is no class of the edition.
std::optional<SectionAlphas> sectionAlphas(const std::string &sectionClass, double lambdaN, Edition edition);

}  // namespace morvane
