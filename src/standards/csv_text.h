#pragma once

// Pieces every CSV reader here shares: the line ends it accepts, the UTF-8 it
// insists on, and how it shows a field in a one-line error message.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane::csv {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values
// past U+10FFFF).
[[nodiscard]] bool wellFormedUtf8(std::string_view text);

// The length of the first line of text with its line end (LF, CRLF or CR).
[[nodiscard]] std::size_t lineLength(std::string_view text);

// A field as an error message shows it: quoted, on one line, control
// characters escaped, a long text cut short between characters.
[[nodiscard]] std::string quoted(std::string_view text, std::string_view open = "\"",
                                 std::string_view close = "\"");

}  // namespace quorvane::csv
