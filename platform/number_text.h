// Numbers as text, the same on every platform the program is built for.
//
// The desktop and the browser builds must print every number byte for byte
// alike, and the browser's C++ library has no floating-point to_chars or
// from_chars; so both builds use these, which rest only on the C library's
// correctly rounded printf and strtod. The decimal separator is a period
// whatever the locale.
#pragma once

#include <string>

namespace shoutotsu {

// The shortest text that reads back to the same value: fixed or scientific
// ("1e+16"), whichever is shorter, fixed on a tie; "inf", "-inf", "nan".
std::string shortestText(double value);
std::string shortestText(float value);

// The general number format: at most 15 significant digits, no trailing
// zeros, no leading blank ("37.9", "-0.5").
std::string generalText(double value);

// Reads a whole decimal number: an optional minus sign, digits with an
// optional period (at least one digit), an optional exponent. Nothing else
// (no blanks, no plus sign, no "inf" or "nan"). False when the text is not
// such a number or its value is out of the type's range.
bool parseNumberText(const std::string& text, float& value);
bool parseNumberText(const std::string& text, double& value);

} // namespace shoutotsu
