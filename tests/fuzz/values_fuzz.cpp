// libFuzzer target over the text conversions, normalisation and date-time splitting: whatever
// the bytes, nothing crashes under the sanitizers and these invariants hold.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "countdown/date_time.h"
#include "countdown/values.h"

namespace {

using namespace quorvane;

// Stops the run, which makes libFuzzer keep the input, when an invariant does not hold.
void Check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

void CheckTexts(std::string_view text) {
  const std::string_view beforeZero = text.substr(0, text.find('\0'));
  // The same text with a terminator and other bytes after it.
  std::string extended(beforeZero);
  extended += '\0';
  extended += text;

  const std::string normalised = NormaliseText(text);
  Check(normalised.find('\0') == std::string::npos, "a normalised text holds no zero byte");
  Check(normalised.size() <= beforeZero.size(), "normalising never lengthens a text");
  Check(NormaliseText(normalised) == normalised, "normalising twice changes nothing more");
  Check(NormaliseText(extended) == normalised, "normalising ignores bytes after the zero");

  const int32_t integer = TextToInteger(text);
  Check(TextToInteger(extended) == integer, "text to integer ignores bytes after the zero");
  Check(TextToInteger(normalised) == integer, "text to integer reads normalised text alike");
  Check(TextToInteger(IntegerToText(integer)) == integer, "integer to text reads back");
  // Blanks, sign and digits: the two readers agree on them, up to the saturation.
  size_t integerEnd = std::min(normalised.find_first_not_of(" \t\n\v\f\r"), normalised.size());
  if (integerEnd < normalised.size() &&
      (normalised[integerEnd] == '+' || normalised[integerEnd] == '-')) {
    ++integerEnd;
  }
  while (integerEnd < normalised.size() && normalised[integerEnd] >= '0' &&
         normalised[integerEnd] <= '9') {
    ++integerEnd;
  }
  Check(TruncateToInteger(TextToNumber(normalised.substr(0, integerEnd))) == integer,
        "text to integer agrees with text to number on an integer");

  const double number = TextToNumber(text);
  Check(std::isfinite(number), "text to number is always finite");
  Check(TextToNumber(extended) == number, "text to number ignores bytes after the zero");
  Check(TextToNumber(normalised) == number, "text to number reads normalised text alike");
  const double reread = TextToNumber(NumberToText(number));
  Check(std::fabs(reread - number) <= std::fabs(number) * 1e-12,
        "number to text keeps 13 significant digits");

  // Saturating conversions of any number, also as the countdown divides it.
  TruncateToInteger(number);
  FloorToInteger(number / 3600.0);

  const size_t middle = text.size() / 2;
  Check(JoinTexts({text.substr(0, middle), text.substr(middle)}) ==
            JoinTexts({text.substr(0, middle)}) + JoinTexts({text.substr(middle)}),
        "joining puts each piece up to its zero after the other");
}

bool IsValid(const LocalTime& t) {
  return t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= 31 && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
         t.second >= 0 && t.second <= 59;
}

void CheckDateTime(DateTime value) {
  const LocalTime parts = SplitDateTime(value);
  Check(IsValid(parts), "every date-time splits into valid fields");
  const DateTime made =
      MakeDateTime(parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second);
  Check(SplitDateTime(made) == parts, "making the fields again gives the same fields");
  Check(TimeDifferenceInSeconds(ClampDateTime(value), made) == 0,
        "a date-time lies within half a second of its fields");
  Check(!DateTimeToText(value).empty(), "every date-time has a text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckTexts(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= sizeof(double)) {
    DateTime value;
    std::memcpy(&value, data, sizeof value);
    CheckDateTime(value);
  }
  return 0;
}
