#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The conversions between the window's texts and numbers. Every amount the user
// sees is the text formatAmount makes, and both totals add those texts read back
// through numberValue, so these two functions decide the last digit of each figure.

// The longest leading part of the text that reads as a number; 0 when there is
// none. Blanks, tabs and line feeds are skipped anywhere ("1 0" reads 10); an
// optional sign, digits with at most one full stop, an optional exponent (E or D,
// either case); &H and &O introduce a hexadecimal or octal whole number. Decimal
// values are correctly rounded; a value beyond the double range comes back as an
// infinity (so a caller can refuse it), one too small for a double as 0.
[[nodiscard]] double numberValue(std::string_view text);

// The text as a 16-bit whole number: blanks around it are allowed, the rest must
// be one number, brought to the nearest whole number with halves to even. Empty
// when the text is not a number or the result leaves the 16-bit range.
[[nodiscard]] std::optional<std::int16_t> wholeNumberValue(std::string_view text);

// The amount text of a value: rounded to 15 significant digits, plain form for
// decimal exponents -4 to 14, otherwise "1.5E+15" form; zero of either sign is
// "0". A value that is not finite has no amount text and gives the empty text.
[[nodiscard]] std::string formatAmount(double value);
// The same, and the value the text reads back as through numberValue, which
// is what a total adds; found without reading the text where that is exact.
[[nodiscard]] std::string formatAmount(double value, double& shown);

namespace detail {
// Exact powers of ten: every one up to 10^22 is a double, so a text's digits
// over one of them, both exact, divide to the correctly rounded value.
inline constexpr std::array<double, 23> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// formatAmount by the library's precision-15 rounding alone, with none of its
// shortcuts: the reference that formatAmount is tested against.
[[nodiscard]] std::string formatAmountByLibrary(double value);
}  // namespace detail

}  // namespace quorvane
