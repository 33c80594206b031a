#pragma once

// Pieces every CSV reader here shares: the line ends it accepts, the UTF-8 it
// insists on, and how it shows a field in a one-line error message.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvane::csv {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

inline constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// How many leading bytes of text are ASCII, eight at a time while it can.
inline std::size_t asciiPrefix(std::string_view text) {
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    if ((word & kHighBits) != 0) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

// The bytes that make a field need quotes: a comma, a quote or a line end.
inline constexpr std::array<bool, 256> kNeedsQuotes = [] {
  std::array<bool, 256> table{};
  for (char c : {',', '"', '\r', '\n'}) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

// A field as CSV writes it: quoted, with quotes doubled, only when it must be.
inline void appendField(std::string& out, std::string_view field) {
  const bool plain = std::none_of(field.begin(), field.end(), [](char c) {
    return kNeedsQuotes[static_cast<unsigned char>(c)];
  });
  if (plain) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

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
