#include "decimal.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace quorvane::decimal {
namespace {

// The conversions of one implementation, so that every table below holds the
// one this build uses and the portable one alike.
struct Conversions {
  const char* name;
  std::from_chars_result (*read)(const char*, const char*, double&, std::chars_format);
  std::to_chars_result (*writeScientific)(char*, char*, double, int);
  std::to_chars_result (*writeFixed)(char*, char*, double, int);
  std::to_chars_result (*writeShortest)(char*, char*, float);
};

const std::array<Conversions, 2> implementations{{
    {"chosen", &decimal::read, &decimal::writeScientific, &decimal::writeFixed,
     &decimal::writeShortest},
    {"portable", &portable::read, &portable::writeScientific, &portable::writeFixed,
     &portable::writeShortest},
}};

std::string written(std::to_chars_result (*write)(char*, char*, double, int), double value,
                    int precision) {
  std::array<char, 400> buf;
  const auto [end, ec] = write(buf.data(), buf.data() + buf.size(), value, precision);
  EXPECT_EQ(ec, std::errc{});
  return std::string(buf.data(), end);
}

std::string shortest(const Conversions& c, float value) {
  std::array<char, 64> buf;
  const auto [end, ec] = c.writeShortest(buf.data(), buf.data() + buf.size(), value);
  EXPECT_EQ(ec, std::errc{});
  return std::string(buf.data(), end);
}

TEST(Decimal, ReadsAsFromChars) {
  constexpr double kUnchanged = -42;
  const struct {
    const char* text;
    std::chars_format format;
    double value;  // kUnchanged when the value is left alone
    std::errc ec;
    std::size_t used;
  } cases[] = {
      {"12.5", std::chars_format::general, 12.5, std::errc{}, 4},
      {"-0", std::chars_format::general, -0.0, std::errc{}, 2},
      {".5", std::chars_format::general, 0.5, std::errc{}, 2},
      {"5.", std::chars_format::general, 5, std::errc{}, 2},
      {"1e5", std::chars_format::general, 1e5, std::errc{}, 3},
      {"1.5E-7", std::chars_format::general, 1.5e-7, std::errc{}, 6},
      {"1e", std::chars_format::general, 1, std::errc{}, 1},
      {"3x", std::chars_format::general, 3, std::errc{}, 1},
      {"0e999999", std::chars_format::general, 0, std::errc{}, 8},
      {"0E5", std::chars_format::general, 0, std::errc{}, 3},
      {"0E-5", std::chars_format::general, 0, std::errc{}, 4},
      {"9007199254740993", std::chars_format::general, 9007199254740992.0, std::errc{}, 16},
      {"1e-310", std::chars_format::general, 1e-310, std::errc{}, 6},
      {"2.4703282292062328e-324", std::chars_format::general,
       std::numeric_limits<double>::denorm_min(), std::errc{}, 23},
      {"2.4703282292062327e-324", std::chars_format::general, kUnchanged,
       std::errc::result_out_of_range, 23},
      {"1e309", std::chars_format::general, kUnchanged, std::errc::result_out_of_range, 5},
      {"-1e-400", std::chars_format::general, kUnchanged, std::errc::result_out_of_range, 7},
      {"abc", std::chars_format::general, kUnchanged, std::errc::invalid_argument, 0},
      {"-", std::chars_format::general, kUnchanged, std::errc::invalid_argument, 0},
      {"+1", std::chars_format::general, kUnchanged, std::errc::invalid_argument, 0},
      {" 1", std::chars_format::general, kUnchanged, std::errc::invalid_argument, 0},
      {"inf", std::chars_format::general, std::numeric_limits<double>::infinity(), std::errc{}, 3},
      {"-Infinity", std::chars_format::general, -std::numeric_limits<double>::infinity(),
       std::errc{}, 9},
      {"info", std::chars_format::general, std::numeric_limits<double>::infinity(), std::errc{}, 3},
      {"in", std::chars_format::general, kUnchanged, std::errc::invalid_argument, 0},
      {".", std::chars_format::general, kUnchanged, std::errc::invalid_argument, 0},
      {"ff", std::chars_format::hex, 255, std::errc{}, 2},
      {"1F", std::chars_format::hex, 31, std::errc{}, 2},
      {"-a", std::chars_format::hex, -10, std::errc{}, 2},
      {"20000000000001", std::chars_format::hex, 9007199254740992.0, std::errc{}, 14},
      {"20000000000003", std::chars_format::hex, 9007199254740996.0, std::errc{}, 14},
      {"7fffffffffffffff", std::chars_format::hex, 9223372036854775807.0, std::errc{}, 16},
      {"g", std::chars_format::hex, kUnchanged, std::errc::invalid_argument, 0},
  };
  for (const auto& impl : implementations) {
    for (const auto& c : cases) {
      double value = kUnchanged;
      const auto [ptr, ec] = impl.read(c.text, c.text + std::strlen(c.text), value, c.format);
      EXPECT_EQ(ec, c.ec) << impl.name << ' ' << c.text;
      EXPECT_EQ(value, c.value) << impl.name << ' ' << c.text;
      EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << impl.name << ' ' << c.text;
      if (c.ec != std::errc::invalid_argument) {
        EXPECT_EQ(static_cast<std::size_t>(ptr - c.text), c.used) << impl.name << ' ' << c.text;
      }
    }
    const std::string huge(300, 'f');
    double value = kUnchanged;
    EXPECT_EQ(impl.read(huge.data(), huge.data() + huge.size(), value, std::chars_format::hex).ec,
              std::errc::result_out_of_range);
    const std::string ones = "1." + std::string(400, '0') + "1";
    EXPECT_EQ(
        impl.read(ones.data(), ones.data() + ones.size(), value, std::chars_format::general).ptr,
        ones.data() + ones.size());
    EXPECT_EQ(value, 1.0) << impl.name;
  }
}

TEST(Decimal, WritesScientificAndFixed) {
  const struct {
    double value;
    int precision;
    const char* text;
  } scientific[] =
      {
          {1.0 / 3, 14, "3.33333333333333e-01"},
          {523313.9861369133, 14, "5.23313986136913e+05"},
          {1e15, 14, "1.00000000000000e+15"},
          {std::numeric_limits<double>::denorm_min(), 14, "4.94065645841247e-324"},
          {std::numeric_limits<double>::max(), 14, "1.79769313486232e+308"},
          {0.5, 0, "5e-01"},
          {-2.5, 1, "-2.5e+00"},
          {1e100, 3, "1.000e+100"},
          {0, 14, "0.00000000000000e+00"},
          {-0.0, 2, "-0.00e+00"},
          {0.125, 1, "1.2e-01"},  // an exact half goes to the even digit
          {0.375, 1, "3.8e-01"},
          {123456789012345.5, 14, "1.23456789012346e+14"},
          {123456789012346.5, 14, "1.23456789012346e+14"},
      },
    fixed[] = {
        {static_cast<double>(0.9f), 30, "0.899999976158142089843750000000"},
        {static_cast<double>(0.1f), 30, "0.100000001490116119384765625000"},
        {1.5, 0, "2"},
        {2.5, 0, "2"},
        {1e20, 2, "100000000000000000000.00"},
        {-0.125, 2, "-0.12"},
        {1e-7, 3, "0.000"},
        {std::numeric_limits<double>::denorm_min(), 5, "0.00000"},
    };
  for (const auto& impl : implementations) {
    for (const auto& c : scientific) {
      EXPECT_EQ(written(impl.writeScientific, c.value, c.precision), c.text) << impl.name;
    }
    for (const auto& c : fixed) {
      EXPECT_EQ(written(impl.writeFixed, c.value, c.precision), c.text) << impl.name;
    }
    std::array<char, 4> small;
    EXPECT_EQ(impl.writeScientific(small.data(), small.data() + small.size(), 1.5, 14).ec,
              std::errc::value_too_large);
  }
}

TEST(Decimal, WritesTheShortestFloat) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {0.1f, "0.1"},
      {0.2f, "0.2"},
      {0.3f, "0.3"},
      {0.4f, "0.4"},
      {0.5f, "0.5"},
      {0.6f, "0.6"},
      {0.7f, "0.7"},
      {0.8f, "0.8"},
      {0.9f, "0.9"},
      {1.0f, "1"},
      {0.0f, "0"},
      {-0.0f, "-0"},
      {1e-5f, "1e-05"},
      {0.0001f, "1e-04"},
      {123456790.f, "123456792"},
      {1e30f, "1e+30"},
      {FLT_MAX, "3.4028235e+38"},
      {FLT_MIN, "1.1754944e-38"},
      {FLT_TRUE_MIN, "1e-45"},
      {16777216.f, "16777216"},
      {100.f, "100"},
      {1e10f, "1e+10"},
      {1234.5f, "1234.5"},
      {-2.5f, "-2.5"},
      {1e7f, "1e+07"},
      {std::ldexp(1.0f, -20), "9.536743e-07"},
      {std::ldexp(1.0f, 90), "1.2379401e+27"},
      {std::ldexp(1.0f, -100), "7.888609e-31"},
      {3.14159265f, "3.1415927"},
  };
  for (const auto& impl : implementations) {
    for (const auto& c : cases) EXPECT_EQ(shortest(impl, c.value), c.text) << impl.name;
  }
}

// Beyond the tables: the portable versions agree with the chosen ones on
// random values of every magnitude (natively, the standard library's).
TEST(Decimal, PortableAgreesOnRandomValues) {
  std::mt19937_64 random(7);
  const auto& chosen = implementations[0];
  const auto& portable = implementations[1];
  for (int k = 0; k < 20000; ++k) {
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    ASSERT_EQ(written(portable.writeScientific, value, 14),
              written(chosen.writeScientific, value, 14));
    ASSERT_EQ(written(portable.writeScientific, value, 16),
              written(chosen.writeScientific, value, 16));
    const std::string text = written(chosen.writeScientific, value, static_cast<int>(k % 20));
    double a = 0, b = 0;
    const auto ra =
        chosen.read(text.data(), text.data() + text.size(), a, std::chars_format::general);
    const auto rb =
        portable.read(text.data(), text.data() + text.size(), b, std::chars_format::general);
    ASSERT_EQ(ra.ec, rb.ec) << text;
    ASSERT_EQ(ra.ptr, rb.ptr) << text;
    ASSERT_EQ(a, b) << text;

    const auto small = static_cast<std::uint32_t>(bits);
    float f;
    std::memcpy(&f, &small, sizeof f);
    if (std::isfinite(f)) {
      ASSERT_EQ(shortest(portable, f), shortest(chosen, f)) << f;
    }
  }
}

}  // namespace
}  // namespace quorvane::decimal
