#include "countdown/values.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace quorvane {
namespace {

constexpr int32_t kIntegerMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntegerMax = std::numeric_limits<int32_t>::max();
constexpr double kLargestNumber = std::numeric_limits<double>::max();
constexpr int kSignificantDigits = 13;
constexpr char kZeroDivisorMessage[] = "不能求余数于零";

std::string_view UpToTerminator(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

// Takes an optional sign off the front of the text; true when it was "-".
bool TakeSign(std::string_view& text) {
  if (text.empty() || (text.front() != '+' && text.front() != '-')) return false;
  const bool negative = text.front() == '-';
  text.remove_prefix(1);
  return negative;
}

// The run of decimal digits at the front of the text.
std::string_view LeadingDigits(std::string_view text) {
  const auto end = std::find_if_not(text.begin(), text.end(), IsDigit);
  return text.substr(0, static_cast<size_t>(end - text.begin()));
}

// The ASCII byte that a two-byte character stands for, or 0 when the character is kept.
char AsciiFor(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail & 0x7F);
  if (lead != 0xA1) return '\0';
  switch (trail) {
    case 0xA1:
      return ' ';
    case 0xAB:
      return '~';
    case 0xEE:
    case 0xEF:
      return '*';
    default:
      return '\0';
  }
}

// Whether a non-zero decimal too far from 1 for a double lies above the range rather than below
// it. Its value is 0.d... x 10^(lead + exponent), d being its first non-zero digit.
bool IsAboveRange(std::string_view integerDigits, std::string_view fractionDigits,
                  int64_t exponent) {
  const size_t firstInInteger = integerDigits.find_first_not_of('0');
  const int64_t lead = firstInInteger != std::string_view::npos
                           ? static_cast<int64_t>(integerDigits.size() - firstInInteger)
                           : -static_cast<int64_t>(fractionDigits.find_first_not_of('0'));
  return lead + exponent > 0;
}

// Drops the zeros that end a fraction, and the point if nothing is left after it.
std::string_view WithoutTrailingZeros(std::string_view number) {
  if (number.find('.') == std::string_view::npos) return number;
  number.remove_suffix(number.size() - 1 - number.find_last_not_of('0'));
  if (number.back() == '.') number.remove_suffix(1);
  return number;
}

}  // namespace

std::string NormaliseText(std::string_view text) {
  text = UpToTerminator(text);
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      result += text[i];
      continue;
    }
    if (i + 1 == text.size()) break;  // a lead byte whose second byte was cut off
    const char ascii = AsciiFor(lead, static_cast<unsigned char>(text[i + 1]));
    if (ascii != '\0') {
      result += ascii;
    } else {
      result.append(text.substr(i, 2));
    }
    ++i;
  }
  return result;
}

int32_t TextToInteger(std::string_view text) {
  const std::string normalised = NormaliseText(text);
  std::string_view rest = SkipBlanks(normalised);
  const bool negative = TakeSign(rest);
  // The magnitude stops growing just past the 32-bit range, so a long run of digits
  // saturates instead of wrapping around.
  constexpr int64_t kMagnitudeLimit = int64_t{kIntegerMax} + 1;
  int64_t magnitude = 0;
  for (const char digit : LeadingDigits(rest)) {
    magnitude = std::min(magnitude * 10 + (digit - '0'), kMagnitudeLimit);
  }
  return static_cast<int32_t>(
      std::clamp(negative ? -magnitude : magnitude, int64_t{kIntegerMin}, int64_t{kIntegerMax}));
}

double TextToNumber(std::string_view text) {
  const std::string normalised = NormaliseText(text);
  std::string_view rest = SkipBlanks(normalised);
  const bool negative = TakeSign(rest);

  const std::string_view integerDigits = LeadingDigits(rest);
  std::string_view fractionDigits;
  size_t end = integerDigits.size();
  if (end < rest.size() && rest[end] == '.') {
    fractionDigits = LeadingDigits(rest.substr(end + 1));
    end += 1 + fractionDigits.size();
  }
  if (integerDigits.empty() && fractionDigits.empty()) return 0;
  std::string number(rest.substr(0, end));

  // The exponent counts only when digits follow its letter and optional sign.
  int64_t exponent = 0;
  if (end < rest.size() && std::string_view("eEdD").find(rest[end]) != std::string_view::npos) {
    std::string_view exponentText = rest.substr(end + 1);
    const bool negativeExponent = TakeSign(exponentText);
    const std::string_view exponentDigits = LeadingDigits(exponentText);
    if (!exponentDigits.empty()) {
      number += negativeExponent ? "e-" : "e";
      number += exponentDigits;
      // Only its order matters here, so it too stops growing far beyond any double.
      for (const char digit : exponentDigits) {
        exponent = std::min<int64_t>(exponent * 10 + (digit - '0'), int64_t{1} << 40);
      }
      if (negativeExponent) exponent = -exponent;
    }
  }

  // `number` holds exactly the prefix that was read, so strtod reads all of it; both C
  // libraries round it correctly.
  errno = 0;
  double value = std::strtod(number.c_str(), nullptr);
  if (errno == ERANGE && (value == 0 || std::isinf(value))) {
    value = IsAboveRange(integerDigits, fractionDigits, exponent) ? kLargestNumber : 0.0;
  }
  return negative ? -value : value;
}

std::string IntegerToText(int32_t value) {
  return std::to_string(value);
}

std::string NumberToText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

  // Rounding to the significant digits first decides between the two forms, as "%g" does.
  // (The C library's own exponent width differs between Linux and Windows, so only its
  // digits are taken from it.)
  char buffer[400];
  const int scientificLength =
      std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
  const std::string scientific(buffer, static_cast<size_t>(scientificLength));
  const size_t exponentAt = scientific.find('e');
  const bool negativeExponent = scientific[exponentAt + 1] == '-';
  const int exponent = std::atoi(scientific.c_str() + exponentAt + 1);

  if (exponent >= -4 && exponent < kSignificantDigits) {
    const int fixedLength =
        std::snprintf(buffer, sizeof buffer, "%.*f", kSignificantDigits - 1 - exponent, value);
    return std::string(
        WithoutTrailingZeros(std::string_view(buffer, static_cast<size_t>(fixedLength))));
  }
  // The exponent always carries its sign and three digits, whatever the C library would write.
  std::string exponentDigits = std::to_string(std::abs(exponent));
  exponentDigits.insert(0, 3 - std::min<size_t>(exponentDigits.size(), 3), '0');
  return std::string(WithoutTrailingZeros(std::string_view(scientific).substr(0, exponentAt))) +
         (negativeExponent ? "e-" : "e+") + exponentDigits;
}

int32_t TruncateToInteger(double value) {
  if (std::isnan(value)) return 0;
  if (value >= -static_cast<double>(kIntegerMin)) return kIntegerMax;
  if (value < static_cast<double>(kIntegerMin)) return kIntegerMin;
  return static_cast<int32_t>(value);
}

int32_t FloorToInteger(double value) {
  double floored = std::floor(value);
  // A quotient such as 3600 / 3600 that comes out a hair low still counts as the whole hour.
  if (value >= 0 && value - floored > 0.999999999999) floored += 1;
  return TruncateToInteger(floored);
}

double Modulo(double x, double y, FatalReport fatal) {
  if (y == 0) fatal(kZeroDivisorMessage);
  return std::fmod(x, y);
}

std::string JoinTexts(std::initializer_list<std::string_view> texts) {
  std::string joined;
  for (const std::string_view text : texts) joined += UpToTerminator(text);
  return joined;
}

}  // namespace quorvane
