#pragma once
// Number reading and number texts shared by every calculator.
// Standard library only: the calculations use these too.

#include <initializer_list>
#include <string>
#include <string_view>

namespace morvane {

// Reads the leading number of a text box the way an engineer expects:
// blanks, tabs and line feeds anywhere are skipped, then the longest leading
// decimal number (sign, digits, ".", fraction, exponent) gives the value;
// "." is the decimal point whatever the locale. Anything else gives 0
// ("12abc" -> 12, "1 2" -> 12, "abc" -> 0, "" -> 0).
// A number beyond the double range reads as +/-infinity (tiny ones as 0),
// so that a calculation can refuse it instead of showing it.
double parseLeadingNumber(std::string_view text);

// True when the text is exactly one number by the grammar above, so that
// parseLeadingNumber reads all of it: blanks before and after it and the
// full-width forms are fine, and so is an empty text (it reads 0); blanks
// inside it ("1 2"), a second number or anything after it ("8O", "12,5",
// "1e", "1.2.3") are not.
bool isOneNumber(std::string_view text);

// Both of the above at once, in one pass for most texts: the number
// parseLeadingNumber reads, and whether isOneNumber holds.
double readNumber(std::string_view text, bool &oneNumber);

// True when every value is a finite number: a calculation gives a result
// only then, never NaN or infinity.
bool allFinite(std::initializer_list<double> values);

// Double-precision display: at most 15 significant digits, no trailing
// zeros, "0" before the point below 1, never "-0" (74.5738636363636, 45,
// 0.424264068711929, -31.2). Magnitudes from 1e15 up or below 1e-4 take an
// exponent form (1.5E+15, 2.5E-05). A non-finite value gives an empty text.
std::string displayDouble(double value);

// Single-precision display: the same with at most 7 significant digits
// (0.45, 124, 26.94167).
std::string displaySingle(float value);

// The same display with at most `digits` significant digits (1 to 17):
// displaySignificant(206.666666, 4) gives "206.7".
std::string displaySignificant(double value, int digits);

// Pattern "#.####": at most four decimals, halves away from zero, no digit
// before the point when the integer part is 0, trailing zeros dropped, the
// point always shown (".9357", ".744", "1."). A value that rounds to zero
// shows "0". Rounds the 15-digit decimal value a person reads, not the raw
// binary (0.00015, a hair below it in binary, gives ".0002").
std::string formatFourDecimals(double value);

// Pattern "0.00": at least one digit before the point, exactly two decimals,
// halves away from zero ("0.79", "12.50", "-2.36"); rounds the 15-digit
// decimal value as above, so 2.675 gives "2.68". Never "-0.00".
std::string formatTwoDecimals(double value);

// Pattern "0.000": the same with exactly three decimals ("0.936", "1.000").
std::string formatThreeDecimals(double value);

}  // namespace morvane
