#pragma once

// Every conversion between a floating-point value and its decimal text that the
// engine leaves to a library goes through here. Where the standard library has
// floating-point std::to_chars/std::from_chars (__cpp_lib_to_chars) they do the
// work; elsewhere (WebAssembly's libc++, for one) the portable versions below
// do, with the same results: snprintf and strtod, which are correctly rounded
// in glibc and musl, with the locale's decimal point swapped for ".".
// Defining QUORVANE_PORTABLE_DECIMAL selects the portable versions anywhere.
// The portable versions are always built, so that tests hold them to the same
// tables natively.

#include <charconv>
#include <system_error>

namespace quorvane::decimal {

// The forms the engine reads: format general ("-12.5", "1.5e-7") or hex
// (hexadecimal digits, no "0x"). As std::from_chars: a value too large or too
// small for a double gives errc::result_out_of_range and leaves value alone.
namespace portable {
std::from_chars_result read(const char* first, const char* last, double& value,
                            std::chars_format format = std::chars_format::general);
// "d.ddde+XX" with precision digits after the point, correctly rounded.
std::to_chars_result writeScientific(char* first, char* last, double value, int precision);
// Exactly precision digits after the point, correctly rounded.
std::to_chars_result writeFixed(char* first, char* last, double value, int precision);
// The shortest text that reads back as value, fixed or scientific, whichever
// is shorter (fixed on a tie).
std::to_chars_result writeShortest(char* first, char* last, float value);
}  // namespace portable

#if defined(__cpp_lib_to_chars) && !defined(QUORVANE_PORTABLE_DECIMAL)
inline constexpr bool usesStandardLibrary = true;

inline std::from_chars_result read(const char* first, const char* last, double& value,
                                   std::chars_format format = std::chars_format::general) {
  return std::from_chars(first, last, value, format);
}
inline std::to_chars_result writeScientific(char* first, char* last, double value, int precision) {
  return std::to_chars(first, last, value, std::chars_format::scientific, precision);
}
inline std::to_chars_result writeFixed(char* first, char* last, double value, int precision) {
  return std::to_chars(first, last, value, std::chars_format::fixed, precision);
}
inline std::to_chars_result writeShortest(char* first, char* last, float value) {
  return std::to_chars(first, last, value);
}
#else
inline constexpr bool usesStandardLibrary = false;

using portable::read;
using portable::writeFixed;
using portable::writeScientific;
using portable::writeShortest;
#endif

}  // namespace quorvane::decimal
