#include "decimal.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvane::decimal::portable {
namespace {

// snprintf and strtod write and read the locale's decimal point.
std::string_view localePoint() {
  const char* point = std::localeconv()->decimal_point;
  return (point != nullptr && *point != '\0') ? std::string_view(point) : std::string_view(".");
}

// printf's text with the locale's decimal point made ".".
std::string printed(const char* format, int precision, double value) {
  std::array<char, 64> local;
  const int size = std::snprintf(local.data(), local.size(), format, precision, value);
  std::string text;
  if (size < 0) return text;
  if (static_cast<std::size_t>(size) < local.size()) {
    text.assign(local.data(), static_cast<std::size_t>(size));
  } else {
    text.resize(static_cast<std::size_t>(size) + 1);
    std::snprintf(text.data(), text.size(), format, precision, value);
    text.pop_back();
  }
  const std::string_view point = localePoint();
  if (point != ".") {
    if (const auto at = text.find(point); at != std::string::npos)
      text.replace(at, point.size(), ".");
  }
  return text;
}

std::to_chars_result copied(std::string_view text, char* first, char* last) {
  if (text.size() > static_cast<std::size_t>(last - first)) {
    return {last, std::errc::value_too_large};
  }
  return {std::copy(text.begin(), text.end(), first), std::errc{}};
}

bool isHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// A text as strtod reads it in the current locale, and how much of the
// original the first `read` characters of that text stand for.
class CText {
 public:
  CText(std::string_view text, bool hex) : point_(localePoint()), hex_(hex) {
    std::size_t i = 0;
    if (!text.empty() && text.front() == '-') {
      text_ += '-';
      i = 1;
    }
    if (hex) text_ += "0x";
    for (; i < text.size(); ++i) {
      if (text[i] == '.') {
        text_ += point_;
      } else {
        text_ += text[i];
      }
    }
    original_ = text;
  }
  const char* c_str() const { return text_.c_str(); }
  std::size_t originalLength(std::size_t read) const {
    std::size_t used = 0, i = 0;
    if (!original_.empty() && original_.front() == '-') {
      used = 1;
      i = 1;
    }
    if (hex_) used += 2;
    for (; i < original_.size(); ++i) {
      used += original_[i] == '.' ? point_.size() : 1;
      if (used > read) return i;
    }
    return original_.size();
  }

 private:
  std::string text_;
  std::string_view original_;
  std::string_view point_;
  bool hex_;
};

// Shortest digits of a float: p significant digits and the exponent of the
// first, from printf's correctly rounded p-digit text or, when that falls just
// outside the values that read back as the float, its neighbour p-digit text
// on the other side.
struct ShortDigits {
  std::string digits;
  int exponent = 0;
};

bool readsBackAs(const std::string& digits, int exponent, float value) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  text += "e" + std::to_string(exponent);
  CText c(text, false);
  return std::strtof(c.c_str(), nullptr) == value;
}

ShortDigits splitScientific(const std::string& text) {
  ShortDigits d;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (isDigit(text[i])) d.digits += text[i];
  }
  d.exponent = std::atoi(text.c_str() + i + 1);
  return d;
}

// The p-digit decimal one unit above (up) or below the digits.
ShortDigits neighbour(ShortDigits d, bool up) {
  std::size_t i = d.digits.size();
  if (up) {
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(0, 1, '1');
      d.digits.pop_back();
      ++d.exponent;
    } else {
      ++d.digits[i - 1];
    }
  } else {
    while (i > 0 && d.digits[i - 1] == '0') d.digits[--i] = '9';
    if (i > 0) --d.digits[i - 1];
    if (d.digits.front() == '0') {
      d.digits.erase(0, 1);
      d.digits += '9';
      --d.exponent;
    }
  }
  return d;
}

ShortDigits shortestDigits(float magnitude) {
  const double wide = magnitude;
  for (int p = 1;; ++p) {
    const std::string text = printed("%.*e", p - 1, wide);
    ShortDigits d = splitScientific(text);
    if (readsBackAs(d.digits, d.exponent, magnitude)) return d;
    const double nearest = std::strtod(CText(text, false).c_str(), nullptr);
    ShortDigits other = neighbour(d, nearest < wide);
    if (readsBackAs(other.digits, other.exponent, magnitude)) return other;
  }
}

}  // namespace

std::from_chars_result read(const char* first, const char* last, double& value,
                            std::chars_format format) {
  const std::string_view text(first, static_cast<std::size_t>(last - first));
  const bool hex = format == std::chars_format::hex;
  const auto digit = hex ? isHexDigit : isDigit;
  // The forms std::from_chars takes: an optional minus, then a digit, a point
  // and a digit, or "inf" or "nan". strtod would also take blanks, "+" and "0x".
  std::size_t i = !text.empty() && text.front() == '-' ? 1 : 0;
  const char lead = i < text.size() ? static_cast<char>(text[i] | 0x20) : '\0';
  const bool named = !hex && (lead == 'i' || lead == 'n');
  const bool starts =
      i < text.size() &&
      (digit(text[i]) || named || (text[i] == '.' && i + 1 < text.size() && digit(text[i + 1])));
  if (!starts) return {first, std::errc::invalid_argument};

  const CText c(text, hex);
  char* end = nullptr;
  const double parsed = std::strtod(c.c_str(), &end);
  const auto used = c.originalLength(static_cast<std::size_t>(end - c.c_str()));
  const std::from_chars_result result{first + used, std::errc{}};

  bool nonZero = false;
  for (std::size_t k = i; k < used; ++k) {
    const char ch = text[k];
    if ((hex && (ch == 'p' || ch == 'P')) || (!hex && (ch == 'e' || ch == 'E'))) break;
    if (digit(ch) && ch != '0') nonZero = true;
  }
  if (used == 0) return {first, std::errc::invalid_argument};
  if (!named && (std::isinf(parsed) || (parsed == 0 && nonZero))) {
    return {result.ptr, std::errc::result_out_of_range};
  }
  value = parsed;
  return result;
}

std::to_chars_result writeScientific(char* first, char* last, double value, int precision) {
  return copied(printed("%.*e", precision, value), first, last);
}

std::to_chars_result writeFixed(char* first, char* last, double value, int precision) {
  return copied(printed("%.*f", precision, value), first, last);
}

std::to_chars_result writeShortest(char* first, char* last, float value) {
  if (!std::isfinite(value) || value == 0) return copied(printed("%.*g", 1, value), first, last);
  const ShortDigits d = shortestDigits(std::fabs(value));
  std::string digits = d.digits;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const auto n = static_cast<int>(digits.size());
  const int x = d.exponent;
  const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + (std::abs(x) >= 100 ? 3 : 2);
  const int fixedLength = x >= 0 ? (n <= x + 1 ? x + 1 : n + 1) : n + 1 - x;

  std::string text = std::signbit(value) ? "-" : "";
  if (fixedLength <= scientificLength) {
    if (n <= x + 1) {
      // A whole number: all its digits, exactly.
      text += printed("%.*f", 0, std::fabs(static_cast<double>(value)));
    } else if (x >= 0) {
      const auto whole = static_cast<std::size_t>(x) + 1;
      text += digits.substr(0, whole) + "." + digits.substr(whole);
    } else {
      text += "0." + std::string(static_cast<std::size_t>(-x - 1), '0') + digits;
    }
  } else {
    text += digits.substr(0, 1);
    if (n > 1) text += "." + digits.substr(1);
    const int absX = std::abs(x);
    text += x < 0 ? "e-" : "e+";
    if (absX < 10) text += '0';
    text += std::to_string(absX);
  }
  return copied(text, first, last);
}

}  // namespace quorvane::decimal::portable
