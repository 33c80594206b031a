#include "numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "decimal.h"

namespace quorvane {

using detail::kPowersOfTen;

namespace {

constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t k = 0; k < 100; ++k) {
    pairs[2 * k] = static_cast<char>('0' + k / 10);
    pairs[2 * k + 1] = static_cast<char>('0' + k % 10);
  }
  return pairs;
}();

void twoDigits(std::uint32_t value, char* out) {
  std::memcpy(out, &kDigitPairs[2 * value], 2);
}

void eightDigits(std::uint32_t value, char* out) {
  const std::uint32_t high = value / 10000, low = value % 10000;
  twoDigits(high / 100, out);
  twoDigits(high % 100, out + 2);
  twoDigits(low / 100, out + 4);
  twoDigits(low % 100, out + 6);
}

// A whole number below 10^16 as 16 digits, leading zeros included: a fixed
// sequence with no length to find first.
void sixteenDigits(std::uint64_t value, char* out) {
  constexpr std::uint64_t kEight = 100'000'000;
  eightDigits(static_cast<std::uint32_t>(value / kEight), out);
  eightDigits(static_cast<std::uint32_t>(value % kEight), out + 8);
}

// A finite non-zero magnitude rounded to 15 significant digits: the digits
// without trailing zeros, and the decimal exponent of the first one.
struct Digits {
  std::array<char, 24> digit;
  std::size_t count;
  int exponent;
};

void dropTrailingZeros(Digits& d) {
  while (d.count > 1 && d.digit[d.count - 1] == '0') --d.count;
}

// The library's correctly rounded precision path, "d.ddde±XX".
Digits libraryDigits(double magnitude) {
  std::array<char, 40> buf;
  const auto [end, ec] =
      decimal::writeScientific(buf.data(), buf.data() + buf.size(), magnitude, 14);
  Digits d{};
  const char* p = buf.data();
  for (; *p != 'e'; ++p) {
    if (*p != '.') d.digit[d.count++] = *p;
  }
  const bool negative = p[1] == '-';
  int exponent = 0;
  for (p += 2; p < end; ++p) exponent = exponent * 10 + (*p - '0');
  d.exponent = negative ? -exponent : exponent;
  dropTrailingZeros(d);
  return d;
}

__extension__ using Wide = unsigned __int128;

constexpr std::array<Wide, 23> kWidePowersOfTen = [] {
  std::array<Wide, 23> powers{};
  Wide power = 1;
  for (auto& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

constexpr std::uint64_t kFifteenDigits = 1'000'000'000'000'000;  // 10^15

// The same digits as libraryDigits, by exact integer arithmetic, for the
// magnitudes that amounts have (about 10^-8 up to 10^15); false for the rest.
// The magnitude is m / 2^s with m < 2^53. Its 15 digits are the whole number
// N nearest to m × 10^k / 2^s, where k puts N between 10^14 and 10^15. As
// m × 10^k < 2^53 × 10^22 < 2^127, the product, its quotient by 2^s and the
// remainder are all exact, and the rounding (halves to even, as the library
// rounds) is decided exactly, with no second rounding anywhere.
bool exactDigits(double magnitude, Digits& d, double* shown) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const auto biased = static_cast<int>(bits >> 52);
  if (biased == 0) return false;  // subnormal
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int s = 1075 - biased;
  // 2^e <= magnitude < 2^(e+1); 78913 / 2^18 is log10(2) a little low, so x is
  // the decimal exponent of the magnitude or one less.
  const int e = biased - 1023;
  const int x = (e * 78913) >> 18;
  int k = 14 - x;
  if (k > 22 || k < 0 || s <= 0 || s > 120) return false;

  Wide scaled = static_cast<Wide>(m) * kWidePowersOfTen[static_cast<std::size_t>(k)];
  Wide n = scaled >> s;
  if (n >= kFifteenDigits) {
    if (--k < 0) return false;
    scaled = static_cast<Wide>(m) * kWidePowersOfTen[static_cast<std::size_t>(k)];
    n = scaled >> s;
  }
  const Wide remainder = scaled - (n << s);
  const Wide half = Wide{1} << (s - 1);
  if (remainder > half || (remainder == half && (n & 1) != 0)) ++n;

  // Rounding up may reach 10^15: then the 16 digits are one and zeros.
  const auto digits = static_cast<std::uint64_t>(n);
  const bool sixteen = digits == kFifteenDigits;
  if (sixteen) {
    d.digit[0] = '1';
    d.count = 1;
  } else {
    std::array<char, 16> all;
    sixteenDigits(digits, all.data());
    std::memcpy(d.digit.data(), all.data() + 1, 15);
    d.count = 15;
    dropTrailingZeros(d);
  }
  d.exponent = (sixteen ? 15 : 14) - k;
  // What the text reads back as, by the same exact division as plainDecimal.
  *shown = static_cast<double>(digits) / kPowersOfTen[static_cast<std::size_t>(k)];
  return true;
}

std::string amountText(bool negative, const Digits& d) {
  const char* sig = d.digit.data();
  const int exponent = d.exponent;
  std::array<char, 32> buf;  // the longest text is "-1.23456789012345E-308"
  char* out = buf.data();
  if (negative) *out++ = '-';
  if (exponent >= -4 && exponent <= 14) {
    if (exponent < 0) {
      *out++ = '0';
      *out++ = '.';
      out = std::fill_n(out, -exponent - 1, '0');
      out = std::copy_n(sig, d.count, out);
    } else {
      const auto intDigits = static_cast<std::size_t>(exponent) + 1;
      if (d.count <= intDigits) {
        out = std::copy_n(sig, d.count, out);
        out = std::fill_n(out, intDigits - d.count, '0');
      } else {
        out = std::copy_n(sig, intDigits, out);
        *out++ = '.';
        out = std::copy_n(sig + intDigits, d.count - intDigits, out);
      }
    }
  } else {
    *out++ = sig[0];
    if (d.count > 1) {
      *out++ = '.';
      out = std::copy_n(sig + 1, d.count - 1, out);
    }
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    const int absExp = exponent < 0 ? -exponent : exponent;
    if (absExp >= 100) *out++ = static_cast<char>('0' + absExp / 100);
    *out++ = static_cast<char>('0' + absExp / 10 % 10);
    *out++ = static_cast<char>('0' + absExp % 10);
  }
  return std::string(buf.data(), out);
}

}  // namespace

std::string formatAmount(double value, double& shown) {
  shown = 0;
  if (value == 0) return "0";
  if (!std::isfinite(value)) return {};
  // Whole amounts below 10^15 are their own digits.
  if (std::fabs(value) < 1e15 && static_cast<double>(static_cast<std::int64_t>(value)) == value) {
    std::array<char, 17> buf;
    const auto whole = static_cast<std::uint64_t>(std::fabs(value));
    char* first = buf.data() + 1;
    if (whole < 100'000'000) {
      first += 8;
      eightDigits(static_cast<std::uint32_t>(whole), first);
    } else {
      sixteenDigits(whole, first);
    }
    while (*first == '0') ++first;  // never past the last digit: the value is not 0
    if (value < 0) *--first = '-';
    shown = value;
    return std::string(first, buf.data() + buf.size());
  }
  Digits d{};
  double magnitude = 0;
  if (exactDigits(std::fabs(value), d, &magnitude)) {
    shown = value < 0 ? -magnitude : magnitude;
    return amountText(value < 0, d);
  }
  std::string text = amountText(value < 0, libraryDigits(std::fabs(value)));
  shown = numberValue(text);
  return text;
}

std::string formatAmount(double value) {
  double shown = 0;
  return formatAmount(value, shown);
}

namespace detail {

std::string formatAmountByLibrary(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return {};
  return amountText(value < 0, libraryDigits(std::fabs(value)));
}

}  // namespace detail

}  // namespace quorvane
