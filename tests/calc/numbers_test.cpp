#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "amount_samples.h"
#include "numbers.h"

namespace quorvane {
namespace {

struct NumberCase {
  const char* text;
  double value;
};

TEST(NumberValue, ReadsTheLeadingNumber) {
  const NumberCase cases[] = {
      {"", 0},
      {"abc", 0},
      {"3天", 3},
      {"1,500", 1},
      {"1 0", 10},
      {"-2", -2},
      {"7.5", 7.5},
      {"2000.50", 2000.5},
      {"+4", 4},
      {" \t\n12", 12},
      {".5", 0.5},
      {"5.", 5},
      {"1.2.3", 1.2},
      {"-", 0},
      {".", 0},
      {"--2", 0},
      {"1E3", 1000},
      {"1e3", 1000},
      {"1D3", 1000},
      {"2d-2", 0.02},
      {"1 E 3", 1000},
      {"1E", 1},
      {"1E+", 1},
      {"1Ex", 1},
      {"&H10", 16},
      {"&hff", 255},
      {"&O17", 15},
      {"&o7", 7},
      {"&O18", 1},  // 8 and 9 are no octal digits: the number ends before them
      {"&O8", 0},
      {"&O79", 7},
      {"&H", 0},
      {"&Hxyz", 0},
      {"&X1", 0},
      {"& H 1 0", 16},
      {"&O777777777777777777777", 9223372036854775807.0},
      {"0.1", 0.1},
      {"80.1", 80.1},
      {"1E-400", 0},
      {"000123", 123},
      {"\r5", 0},
      {"１２", 0},
      {"12abc34", 12},
      {"0E5", 0},
      {"0e5", 0},
      {"0D5", 0},
      {"0.0E-5", 0},
      {"-0E5", 0},
      {"1E+3", 1000},
      {"2.5E-1", 0.25},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(numberValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(NumberValue, NumbersBeyondTheDoubleRangeAreInfinite) {
  EXPECT_EQ(numberValue("1E400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberValue("-1E400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberValue("1E99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberValue(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numberValue("0.0000000001E-400"), 0);
  EXPECT_EQ(numberValue("1.7976931348623157E308"), std::numeric_limits<double>::max());
}

// A number out of the double range is infinite when its first significant
// digit stands too far left of the point and 0 when too far right: zeros after
// the point move that digit right, as a negative exponent does.
TEST(NumberValue, BeyondTheRangeByWhereTheFirstSignificantDigitStands) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::string point300 = "0." + std::string(300, '0');
  const std::string point400 = "0." + std::string(400, '0');
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {point400 + "1", 0},
      {"-" + point400 + "1", 0},
      {point400 + "1E50", 0},
      {point300 + "1E-30", 0},
      {point300 + "1E700", inf},
      {"-" + point300 + "1E700", -inf},
      {std::string(400, '0') + ".5E400", inf},
      {"1" + std::string(400, '0') + "E-800", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(numberValue(c.text), c.value)
        << '"' << c.text.substr(0, 20) << "...\" of " << c.text.size() << " characters";
  }
}

TEST(NumberValue, LongTextsRoundCorrectly) {
  // More digits than the local buffer holds, and a value exactly at a tie
  // between two doubles that only the last digit decides.
  std::string ones = "1." + std::string(300, '0') + "1";
  EXPECT_EQ(numberValue(ones), 1.0);
  EXPECT_EQ(numberValue("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(numberValue("9007199254740993.0000000000000000000000000000001"), 9007199254740994.0);
}

// A plain text's digits are gathered in 64 bits only up to 19 of them: a
// twentieth could wrap. These wrap to a small number (2^64 + 1 reads 1 when
// wrapped), so that only the digit limit keeps them right.
TEST(NumberValue, TextsOfNineteenDigitsOrMore) {
  const NumberCase cases[] = {
      {"1844674407370955161", 1844674407370955161.0},  // 19 digits, unwrapped
      {"9999999999999999999", 9999999999999999999.0},  // the largest of 19
      {"-9999999999999999999", -9999999999999999999.0},
      {"18446744073709551617", 18446744073709551617.0},  // 20 digits: 2^64 + 1
      {"18446744073709551616", 18446744073709551616.0},  // 2^64
      {"-18446744073709551617", -18446744073709551617.0},
      {"1844674407370955161.7", 1844674407370955161.7},  // 20 digits with a point
      {"1.8446744073709551617", 1.8446744073709551617},
      {"0.18446744073709551617", 0.18446744073709551617},
      {"184467440737095516170", 184467440737095516170.0},  // 21: wraps to 10
      {"36893488147419103233", 36893488147419103233.0},    // 2^65 + 1
      {"00000000000000000001", 1},                         // 20 digits, small value
      {"0000000000000000000.5", 0.5},
      {"12345678901234567890123456789012345678", 12345678901234567890123456789012345678.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(numberValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(WholeNumberValue, ReadsDatePartsAndRoundsHalvesToEven) {
  struct Case {
    const char* text;
    std::optional<std::int16_t> value;
  } const cases[] = {
      {"8", 8},
      {" 2011 ", 2011},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"32767", 32767},
      {"-32768", -32768},
      {"32768", std::nullopt},
      {"32767.5", std::nullopt},
      {"-32768.5", -32768},
      {"", std::nullopt},
      {"八", std::nullopt},
      {"8月", std::nullopt},
      {"1 0", std::nullopt},
      {"1E400", std::nullopt},
      {"&H10", 16},
      {"&O17", 15},
      {"&O8", std::nullopt},
      {"&O19", std::nullopt},
      {"1e3", 1000},
      {" ", std::nullopt},
      // An exponent letter with no digits after it is not part of the number,
      // so the text is more than one number.
      {"1988E", std::nullopt},
      {"11E", std::nullopt},
      {"8e", std::nullopt},
      {"1988D", std::nullopt},
      {"11E+", std::nullopt},
      {"11e-", std::nullopt},
      {"2E1", 20},
      {"11E0", 11},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wholeNumberValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(FormatAmount, WritesFifteenSignificantDigits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {80.1 * 3, "240.3"},
      {375, "375"},
      {0.5, "0.5"},
      {-200, "-200"},
      {1.0 / 3, "0.333333333333333"},
      {523313.9861369133, "523313.986136913"},
      {1e15, "1E+15"},
      {123456789012345.6, "123456789012346"},
      {99999999999999.9, "99999999999999.9"},
      {999999999999999.9, "1E+15"},
      {0.00001, "1E-05"},
      {0.0001, "0.0001"},
      {0.000123456, "0.000123456"},
      {0, "0"},
      {-0.0, "0"},
      {1.5e300, "1.5E+300"},
      {-2.5e-300, "-2.5E-300"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
      {100, "100"},
      {1234567, "1234567"},
      {0.1 + 0.2, "0.3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatAmount(c.value), c.text) << c.value;
  }
  EXPECT_EQ(formatAmount(std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(formatAmount(std::numeric_limits<double>::quiet_NaN()), "");
}

// A value a few steps above a power of ten lies a fraction above 10^15 once
// scaled to 15 digits, and that fraction rounds up from the third step at
// 10^-3: the division must then be taken again with one power of ten fewer.
// A step is one double further from zero (or, negative, nearer to it).
TEST(FormatAmount, ValuesSomeStepsFromAPowerOfTen) {
  const auto stepped = [](double value, int steps) {
    for (; steps > 0; --steps) value = std::nextafter(value, std::copysign(INFINITY, value));
    for (; steps < 0; ++steps) value = std::nextafter(value, 0.0);
    return value;
  };
  const struct {
    double value;
    int steps;
    const char* text;
  } cases[] = {
      {1e-3, 3, "0.001"},
      {1e-3, 4, "0.001"},
      {1e-3, 40, "0.00100000000000001"},
      {1e-3, -3, "0.000999999999999999"},
      {-1e-3, 3, "-0.001"},
      {1e-5, 5, "1E-05"},
      {1e-8, 6, "1E-08"},
      {1e-2, 3, "0.01"},
      {1e-1, 3, "0.1"},
      {10, 3, "10"},
      {1e14, 3, "100000000000000"},
      {1e-300, 3, "1E-300"},
      {1e22, 3, "1E+22"},
      {1e-3, 1 << 12, "0.00100000000000089"},
  };
  for (const auto& c : cases) {
    const double value = stepped(c.value, c.steps);
    EXPECT_EQ(formatAmount(value), c.text) << c.value << " stepped " << c.steps;
  }
  for (int e = -30; e <= 30; ++e) {
    const double power = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
    for (int steps = -64; steps <= 64; ++steps) {
      const double value = stepped(power, steps);
      double shown = 0;
      const std::string text = formatAmount(value, shown);
      ASSERT_EQ(text, detail::formatAmountByLibrary(value)) << "1e" << e << " stepped " << steps;
      ASSERT_EQ(shown, numberValue(text)) << text;
    }
  }
}

// What both totals rely on: an amount text reads back as its value rounded to
// 15 significant digits.
TEST(FormatAmount, ReadsBackAsTheValueRoundedToFifteenDigits) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<std::uint64_t> bits;
  int checked = 0;
  while (checked < 200000) {
    const std::uint64_t pattern = bits(random);
    double value;
    std::memcpy(&value, &pattern, sizeof value);
    if (!std::isfinite(value)) continue;
    char expected[40];
    std::snprintf(expected, sizeof expected, "%.14e", value);
    const double rounded = std::strtod(expected, nullptr);
    const std::string text = formatAmount(value);
    ASSERT_EQ(numberValue(text), rounded == 0 ? 0 : rounded) << text << " from " << expected;
    ++checked;
  }
}

// formatAmount's shortcuts against the library's rounding alone, and the
// value it reports for its text against the text read back. A longer run
// of the same samples (bench/format_property) goes to 100 million.
TEST(FormatAmount, ShortcutsWriteWhatTheLibraryRoundingWrites) {
  for (double value : testing::boundaryAmounts()) {
    ASSERT_EQ(formatAmount(value), detail::formatAmountByLibrary(value)) << value;
  }
  testing::AmountSamples samples(20261209);
  for (int k = 0; k < 1'000'000; ++k) {
    const double value = samples.next();
    double shown = 0;
    const std::string text = formatAmount(value, shown);
    ASSERT_EQ(text, detail::formatAmountByLibrary(value)) << value;
    ASSERT_EQ(shown, numberValue(text)) << text;
  }
}

}  // namespace
}  // namespace quorvane
