// Any bytes through the number syntax: no crash, no out-of-bounds read, and a
// finite value always survives formatAmount and back as the value rounded to
// 15 significant digits (computed here independently, by to_chars with a
// precision).

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "numbers.h"

namespace {

double roundedTo15Digits(double value) {
  std::array<char, 40> buf{};
  const auto [end, ec] =
      std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 14);
  double rounded = 0;
  std::from_chars(buf.data(), end, rounded);
  return rounded;
}

bool isAmountText(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'E')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = quorvane::numberValue(text);
  (void)quorvane::wholeNumberValue(text);
  if (std::isnan(value)) std::abort();
  if (!std::isfinite(value)) return 0;

  const std::string shown = quorvane::formatAmount(value);
  if (!isAmountText(shown)) std::abort();
  const double readBack = quorvane::numberValue(shown);
  const double expected = roundedTo15Digits(value);
  if (readBack != expected && !(readBack == 0 && expected == 0)) std::abort();
  if (quorvane::formatAmount(readBack) != shown) std::abort();
  return 0;
}
