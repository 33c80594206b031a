#include "numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "decimal.h"

namespace quorvane {

using detail::kPowersOfTen;
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

}  // namespace quorvane
