#include "numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include "decimal.h"

namespace quorvane {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int hexDigitValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads characters of a text, hiding the blanks that the number syntax ignores
// (all of them for numberValue, none for the strict reading of wholeNumberValue).
class Cursor {
 public:
  Cursor(std::string_view text, bool skipBlanks) : text_(text), skipBlanks_(skipBlanks) {}

  // The next character, or '\0' at the end of the text.
  char peek() {
    if (skipBlanks_) {
      while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void advance() { ++pos_; }
  std::size_t position() const { return pos_; }
  void rewind(std::size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  bool skipBlanks_;
  std::size_t pos_ = 0;
};

// Collects the characters handed to decimal::read without a heap allocation
// for the lengths people type; longer numbers spill into a string.
class CharBuffer {
 public:
  void push(char c) {
    if (spill_.empty() && size_ < local_.size()) {
      local_[size_++] = c;
      return;
    }
    if (spill_.empty()) spill_.assign(local_.data(), size_);
    spill_.push_back(c);
    ++size_;
  }
  void append(std::string_view s) {
    for (char c : s) push(c);
  }
  const char* begin() const { return spill_.empty() ? local_.data() : spill_.data(); }
  const char* end() const { return begin() + size_; }
  bool empty() const { return size_ == 0; }

 private:
  std::array<char, 96> local_;  // only the first size_ chars are ever read
  std::string spill_;
  std::size_t size_ = 0;
};

double parsed(const CharBuffer& digits, std::chars_format format, double overflowSign,
              bool overflows) {
  double value = 0;
  auto [ptr, ec] = decimal::read(digits.begin(), digits.end(), value, format);
  if (ec == std::errc::result_out_of_range) {
    return overflows ? std::copysign(std::numeric_limits<double>::infinity(), overflowSign)
                     : std::copysign(0.0, overflowSign);
  }
  return value;
}

// &H / &O: a whole number in base 16 or 8, read exactly then rounded once.
std::optional<double> scanRadix(Cursor& in) {
  const auto start = in.position();
  if (in.peek() != '&') return std::nullopt;
  in.advance();
  const char kind = in.peek();
  const bool hex = kind == 'H' || kind == 'h';
  const bool octal = kind == 'O' || kind == 'o';
  if (!hex && !octal) {
    in.rewind(start);
    return std::nullopt;
  }
  in.advance();

  CharBuffer digits;
  if (hex) {
    while (hexDigitValue(in.peek()) >= 0) {
      digits.push(in.peek());
      in.advance();
    }
  } else {
    // Octal digits are three bits each; regroup them as hex digits so that
    // decimal::read does the rounding.
    std::string bits;
    while (in.peek() >= '0' && in.peek() <= '7') {
      const int d = in.peek() - '0';
      bits += (d & 4) ? '1' : '0';
      bits += (d & 2) ? '1' : '0';
      bits += (d & 1) ? '1' : '0';
      in.advance();
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    for (std::size_t i = 0; i < bits.size(); i += 4) {
      const int v = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                    (bits[i + 3] - '0');
      digits.push("0123456789abcdef"[v]);
    }
  }
  if (digits.empty()) return 0.0;  // "&H" alone: the prefix reads, the number is 0
  return parsed(digits, std::chars_format::hex, 1.0, true);
}

// Sign, digits, one optional full stop, optional exponent. Empty when no digit
// stands where the number should begin.
std::optional<double> scanDecimal(Cursor& in) {
  CharBuffer text;
  bool negative = false;
  if (in.peek() == '+' || in.peek() == '-') {
    negative = in.peek() == '-';
    in.advance();
  }
  if (negative) text.push('-');

  long long leadingDigits = 0;    // significant digits before the point
  long long zerosAfterPoint = 0;  // zeros after the point before the first significant digit
  bool sawDigit = false, sawNonZero = false, sawPoint = false, pointWritten = false;
  for (;;) {
    const char c = in.peek();
    if (isDigit(c)) {
      if (sawPoint && !pointWritten) {
        text.push('.');
        pointWritten = true;
      }
      text.push(c);
      sawDigit = true;
      if (c != '0') sawNonZero = true;
      if (!sawPoint && sawNonZero) ++leadingDigits;
      if (sawPoint && !sawNonZero) ++zerosAfterPoint;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
    in.advance();
  }
  if (!sawDigit) return std::nullopt;

  long long exponent = 0;
  const char e = in.peek();
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    const auto afterMantissa = in.position();
    in.advance();
    bool expNegative = false;
    if (in.peek() == '+' || in.peek() == '-') {
      expNegative = in.peek() == '-';
      in.advance();
    }
    bool expDigits = false;
    constexpr long long kCap = 1'000'000'000;  // far beyond any double; keeps the sum exact
    while (isDigit(in.peek())) {
      exponent = std::min(kCap, exponent * 10 + (in.peek() - '0'));
      expDigits = true;
      in.advance();
    }
    if (!expDigits) {
      in.rewind(afterMantissa);  // "1E" reads as 1
      exponent = 0;
    } else if (expNegative) {
      exponent = -exponent;
    }
  }
  if (!sawNonZero) return negative ? -0.0 : 0.0;
  if (exponent != 0) {
    std::array<char, 24> expText{};
    auto [end, ec] = std::to_chars(expText.data(), expText.data() + expText.size(), exponent);
    text.push('e');
    text.append(std::string_view(expText.data(), static_cast<std::size_t>(end - expText.data())));
  }
  // Out of range means too large or too small; the decimal position of the
  // first significant digit tells which.
  const long long magnitude = (leadingDigits > 0 ? leadingDigits : -zerosAfterPoint) + exponent;
  return parsed(text, std::chars_format::general, negative ? -1.0 : 1.0, magnitude > 0);
}

std::optional<double> scanNumber(Cursor& in) {
  if (auto radix = scanRadix(in)) return radix;
  return scanDecimal(in);
}

// Exact powers of ten: every one up to 10^22 is a double.
constexpr std::array<double, 23> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The usual text, "-12.5" or "2011" and no more, needs none of the scanning
// below. With at most 2^53 as its digits N and k <= 22 digits after the point,
// it is N / 10^k with both operands exact, so the one correctly rounded
// division gives the correctly rounded value of the text.
std::optional<double> plainDecimal(std::string_view text) {
  constexpr std::size_t kShort = 40;  // too short to leave the double range
  if (text.empty() || text.size() > kShort) return std::nullopt;
  const bool negative = text.front() == '-';
  std::size_t i = negative ? 1 : 0;
  const std::size_t intStart = i;
  std::uint64_t digits = 0;
  std::size_t digitCount = 0;
  while (i < text.size() && isDigit(text[i])) {
    digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    ++digitCount;
    ++i;
  }
  if (i == intStart) return std::nullopt;
  std::size_t fractionDigits = 0;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fracStart = ++i;
    while (i < text.size() && isDigit(text[i])) {
      digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
      ++digitCount;
      ++i;
    }
    fractionDigits = i - fracStart;
    if (fractionDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  if (digitCount <= 19 && digits <= kExactLimit && fractionDigits < kPowersOfTen.size()) {
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[fractionDigits];
    return negative ? -magnitude : magnitude;
  }
  double value = 0;
  decimal::read(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

double numberValue(std::string_view text) {
  if (text.empty()) return 0;
  if (auto plain = plainDecimal(text)) return *plain;
  Cursor in(text, true);
  return scanNumber(in).value_or(0.0);
}

std::optional<std::int16_t> wholeNumberValue(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  auto value = plainDecimal(text);
  if (!value) {
    Cursor in(text, false);
    value = scanNumber(in);
    if (!value || in.position() != text.size()) return std::nullopt;
  }
  const double rounded = std::nearbyint(*value);  // the default mode rounds halves to even
  if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
        rounded <= std::numeric_limits<std::int16_t>::max())) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

namespace {

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
bool exactDigits(double magnitude, Digits& d) {
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
  const auto [end, ec] =
      std::to_chars(d.digit.data(), d.digit.data() + d.digit.size(), static_cast<std::uint64_t>(n));
  d.count = static_cast<std::size_t>(end - d.digit.data());
  d.exponent = static_cast<int>(d.count) - 1 - k;
  dropTrailingZeros(d);
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

std::string formatAmount(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return {};
  // Whole amounts below 10^15 are their own digits.
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    std::array<char, 24> buf;
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<std::int64_t>(value));
    return std::string(buf.data(), end);
  }
  Digits d{};
  if (!exactDigits(std::fabs(value), d)) d = libraryDigits(std::fabs(value));
  return amountText(value < 0, d);
}

namespace detail {

std::string formatAmountByLibrary(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return {};
  return amountText(value < 0, libraryDigits(std::fabs(value)));
}

}  // namespace detail

}  // namespace quorvane
