#include "countdown/values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvane {
namespace {

using namespace std::string_view_literals;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLargest = std::numeric_limits<double>::max();

TEST(NormaliseText, TurnsFullWidthFormsIntoAsciiAndKeepsOtherCharacters) {
  const struct {
    std::string_view text;
    std::string_view normalised;
  } cases[] = {
      {"", ""},
      {"abc 12", "abc 12"},
      {"１２", "12"},
      {"－５", "-5"},
      {"１．５", "1.5"},
      {"ｅＥｄＤ＋", "eEdD+"},
      {"！", "!"},      // A3A1, the first of the full-width forms
      {"￣", "~"},      // A3FE, the last
      {"　７", " 7"},   // full-width space
      {"～☆★", "~**"},  // A1AB, A1EE, A1EF
      {"中文１", "中文1"},
      {"、", "、"},                              // A1A2 sits between the replaced ones and stays
      {"\xA3\xA0\xA3\xFF", "\xA3\xA0\xA3\xFF"},  // just outside A3A1 to A3FE
      {"\x81\x31", "\x81\x31"},  // a second byte below 0x80 still belongs to its lead byte
      {"\xA3\xA3\xB1", "#"},     // pairs are taken from the start: A3A3 is ＃, then a lone B1
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormaliseText(c.text), c.normalised) << testing::PrintToString(std::string(c.text));
  }
}

TEST(NormaliseText, DropsALoneLeadByteAndStopsAtTheTerminator) {
  EXPECT_EQ(NormaliseText("12\xD6"), "12");
  EXPECT_EQ(NormaliseText("\xA3"), "");
  EXPECT_EQ(NormaliseText("1\xD6\0005"sv), "1");  // the zero is the end, not a second byte
  EXPECT_EQ(NormaliseText("7\0008"sv), "7");
  EXPECT_EQ(NormaliseText("\0１"sv), "");
}

TEST(TextToInteger, ReadsTheLeadingDecimalInteger) {
  const struct {
    std::string_view text;
    int32_t value;
  } cases[] = {
      {"12", 12},       {"  7", 7},      {"-3", -3},   {"+4", 4},
      {"12abc", 12},    {"1.9", 1},      {"1e3", 1},   {"abc", 0},
      {"", 0},          {"１２", 12},    {"－５", -5}, {"\t\n\v\f\r 8", 8},
      {"　９", 9},  // a full-width space is a blank once normalised
      {"0012", 12},     {"-0", 0},       {"+-3", 0},   {"- 3", 0},
      {"\x81\x31", 0},  // the digit 1 (0x31) is the second byte of a character
      {"5\x81\x39", 5}, {"4\0002"sv, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToInteger(c.text), c.value) << testing::PrintToString(std::string(c.text));
  }
}

TEST(TextToInteger, SaturatesAtTheBoundsInsteadOfWrapping) {
  const struct {
    std::string_view text;
    int32_t value;
  } cases[] = {
      {"2147483647", kIntMax},
      {"2147483648", kIntMax},
      {"-2147483648", kIntMin},
      {"-2147483649", kIntMin},
      {"4294967308", kIntMax},  // 2^32 + 12, which would wrap to 12
      {"99999999999999999999", kIntMax},
      {"-99999999999999999999", kIntMin},
      {"000000000000000000000000000042", 42},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToInteger(c.text), c.value) << c.text;
  }
}

TEST(TextToInteger, ReadsBackEveryIntegerWritten) {
  for (const int32_t value :
       {kIntMin, kIntMin + 1, -100, -1, 0, 1, 59, 3600, kIntMax - 1, kIntMax}) {
    EXPECT_EQ(TextToInteger(IntegerToText(value)), value);
  }
}

TEST(TextToNumber, ReadsTheLeadingDecimalNumber) {
  const struct {
    std::string_view text;
    double value;
  } cases[] = {
      {"1.5", 1.5},
      {".5", 0.5},
      {"5.", 5},
      {"1e3", 1000},
      {"2d2", 200},
      {"2D2", 200},
      {"1.5E3", 1500},
      {"-0.25", -0.25},
      {"12abc", 12},
      {"0x10", 0},
      {"abc", 0},
      {"", 0},
      {"１．５", 1.5},
      {"１ｅ３", 1000},
      {"1.9", 1.9},
      {"  +4.5", 4.5},
      {"-.5", -0.5},
      {"1e-2", 0.01},
      {"1e+2", 100},
      {"5.e1", 50},
      {"1.2.3", 1.2},
      {"1e", 1},  // an exponent letter without digits is not part of the number
      {"1e+", 1},
      {"1ex", 1},
      {"1e5.5", 100000},
      {".", 0},
      {".e5", 0},
      {"-", 0},
      {"e5", 0},
      {"inf", 0},
      {"nan", 0},
      {"-infinity", 0},
      {"1f", 1},
      {"0.1", 0.1},
      {"9007199254740993", 9007199254740992.0},  // halfway: to the even neighbour
      {"4.9e-324", std::numeric_limits<double>::denorm_min()},
      {"1.5\0e3"sv, 1.5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToNumber(c.text), c.value) << testing::PrintToString(std::string(c.text));
  }
}

TEST(TextToNumber, GivesTheLargestFiniteNumberBeyondTheRange) {
  const std::string manyNines(400, '9');
  const std::string tinyFraction = "0." + std::string(400, '0') + "1";
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"1e999", kLargest},
      {"-1e999", -kLargest},
      {"1e99999999999999999999999", kLargest},
      {manyNines, kLargest},
      {"-" + manyNines, -kLargest},
      {manyNines + "e-50", kLargest},  // above the range in spite of a negative exponent
      {"1e-999", 0},
      {tinyFraction, 0},
      {tinyFraction + "e5", 0},  // below the range in spite of a positive exponent
      {tinyFraction + "e401", 1},
      {"1" + std::string(400, '0') + "e-400", 1},
      {"0e99999", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToNumber(c.text), c.value) << c.text.substr(0, 40);
  }
  EXPECT_TRUE(std::signbit(TextToNumber("-1e-999")));
}

TEST(IntegerToText, WritesPlainDecimal) {
  const struct {
    int32_t value;
    std::string_view text;
  } cases[] = {
      {0, "0"},
      {59, "59"},
      {-5, "-5"},
      {100, "100"},
      {kIntMax, "2147483647"},
      {kIntMin, "-2147483648"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IntegerToText(c.value), c.text);
  }
}

TEST(NumberToText, WritesThirteenSignificantDigitsWithAThreeDigitExponent) {
  const struct {
    double value;
    std::string_view text;
  } cases[] = {
      {1.0, "1"},
      {2.5, "2.5"},
      {13.0, "13"},
      {3.0, "3"},
      {-1.0, "-1"},
      {0.1, "0.1"},
      {1.0 / 3, "0.3333333333333"},
      {2.0 / 3, "0.6666666666667"},
      {0.0001, "0.0001"},
      {0.00001, "1e-005"},
      {1e13, "1e+013"},
      {1.5e13, "1.5e+013"},
      {-1.5e13, "-1.5e+013"},
      {2e-5, "2e-005"},
      {2.5e-5, "2.5e-005"},
      {0.0, "0"},
      {-0.0, "-0"},
      {100.0, "100"},
      {1234.5678, "1234.5678"},
      {9999999999999.0, "9999999999999"},
      {9999999999999.5, "1e+013"},  // rounding to 13 digits reaches the exponent form
      {123456789012345.0, "1.234567890123e+014"},
      {0.000123456789012345, "0.0001234567890123"},
      {1e100, "1e+100"},
      {1e-300, "1e-300"},
      {kLargest, "1.797693134862e+308"},
      {std::numeric_limits<double>::denorm_min(), "4.940656458412e-324"},
      {kInfinity, "inf"},
      {-kInfinity, "-inf"},
      {kNaN, "nan"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberToText(c.value), c.text);
  }
}

TEST(TruncateToInteger, RoundsTowardZeroAndSaturates) {
  const struct {
    double value;
    int32_t integer;
  } cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {90.0, 90},
      {-0.5, 0},
      {2147483647.9, kIntMax},
      {2147483648.0, kIntMax},
      {9e9, kIntMax},  // a count of 9e9 seconds is the largest total, never a wrapped one
      {1e300, kIntMax},
      {kInfinity, kIntMax},
      {-2147483648.9, kIntMin},
      {-2147483649.0, kIntMin},
      {-9e9, kIntMin},
      {-kInfinity, kIntMin},
      {kNaN, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TruncateToInteger(c.value), c.integer) << c.value;
  }
}

TEST(FloorToInteger, RoundsDownButCountsAHairBelowAWholeNumberAsThatNumber) {
  const struct {
    double value;
    int32_t integer;
  } cases[] = {
      {2.9999999999995, 3},
      {2.5, 2},
      {2.0, 2},
      {-2.5, -3},
      {-2.0, -2},
      {3599.0 / 3600, 0},
      {3600.0 / 3600, 1},
      {0.999999999999, 0},
      {0.9999999999995, 1},
      {-1e-13, -1},  // no tolerance below zero
      {2147483647.5, kIntMax},
      {9e15, kIntMax},
      {kInfinity, kIntMax},
      {-2147483648.5, kIntMin},
      {-kInfinity, kIntMin},
      {kNaN, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloorToInteger(c.value), c.integer) << c.value;
  }
}

[[noreturn]] void ThrowFatal(const std::string& message) {
  throw std::runtime_error(message);
}

TEST(Modulo, KeepsTheSignOfTheDividend) {
  const struct {
    double x, y, remainder;
  } cases[] = {
      {3661, 3600, 61}, {119, 60, 59}, {-7, 3, -1}, {7.5, 2, 1.5}, {59, 60, 59}, {0, 60, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Modulo(c.x, c.y, ThrowFatal), c.remainder) << c.x << " mod " << c.y;
  }
}

TEST(Modulo, ReportsADivisorOfZeroAsFatal) {
  for (const double zero : {0.0, -0.0}) {
    try {
      Modulo(5, zero, ThrowFatal);
      ADD_FAILURE() << "no fatal report";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), "不能求余数于零");
    }
  }
}

TEST(JoinTexts, PutsThePiecesOneAfterAnother) {
  EXPECT_EQ(JoinTexts({"剩余时间:", "1", "小时", "2", "分", "3", "秒"}), "剩余时间:1小时2分3秒");
  EXPECT_EQ(JoinTexts({}), "");
  EXPECT_EQ(JoinTexts({"", "a", ""}), "a");
  EXPECT_EQ(JoinTexts({"a\0x"sv, "b"}), "ab");
}

}  // namespace
}  // namespace quorvane
