// Conversions between control texts and numbers, and the small arithmetic the handlers share.
// Texts are GBK bytes; a text ends at its first zero byte, as it would in a C string, so
// nothing after a zero byte ever changes a result.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvane {

// Shows a fatal error carrying the message and ends the program; it never returns.
using FatalReport = void (*)(const std::string& message);

// Turns the full-width forms of ASCII characters (and the full-width space, ～, ☆ and ★) into
// their ASCII bytes, keeps every other character, and drops a lone lead byte at the end.
std::string NormaliseText(std::string_view text);

// The decimal integer at the start of the text (after blanks and an optional sign), or 0.
// Values beyond the 32-bit range read as the nearest bound.
int32_t TextToInteger(std::string_view text);

// The decimal number at the start of the text: digits with at most one point and an optional
// exponent (e, E, d or D), or 0. Values beyond the range of a double read as the largest
// finite double of that sign.
double TextToNumber(std::string_view text);

// Plain decimal: "-5", "100".
std::string IntegerToText(int32_t value);

// At most 13 significant digits without trailing zeros; the exponent form ("1e-005",
// "1.5e+013") below 0.0001 and from 1e13 on, its exponent always signed with three digits.
std::string NumberToText(double value);

// Rounds toward zero. Beyond the 32-bit range the nearest bound; not a number gives 0.
int32_t TruncateToInteger(double value);

// Rounds down, except that a non-negative number within 1e-12 below an integer gives that
// integer. Saturates as TruncateToInteger does.
int32_t FloorToInteger(double value);

// The remainder of x / y with the sign of x (fmod). A divisor of 0 goes to fatal.
double Modulo(double x, double y, FatalReport fatal);

// The texts one after another, nothing between them.
std::string JoinTexts(std::initializer_list<std::string_view> texts);

}  // namespace quorvane
