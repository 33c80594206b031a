#include "csv_text.h"

#include <algorithm>

namespace quorvane::csv {

bool wellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    unsigned minimum = 0, value = lead;
    if (lead >= 0x80) {
      if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, minimum = 0x80, value = lead & 0x1Fu;
      else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, minimum = 0x800, value = lead & 0x0Fu;
      else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, minimum = 0x10000, value = lead & 0x07u;
      else
        return false;
      if (i + length > text.size()) return false;
      for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0u) != 0x80u) return false;
        value = (value << 6) | (next & 0x3Fu);
      }
      if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    }
    i += length;
  }
  return true;
}

std::size_t lineLength(std::string_view text) {
  auto end = std::find_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
  if (end != text.end()) {
    const bool crlf = *end == '\r' && end + 1 != text.end() && end[1] == '\n';
    end += crlf ? 2 : 1;
  }
  return static_cast<std::size_t>(end - text.begin());
}

std::string quoted(std::string_view text, std::string_view open, std::string_view close) {
  constexpr std::size_t kLongest = 60;
  std::string shown(open);
  bool cut = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (i >= kLongest && (c & 0xC0u) != 0x80u) {  // cut between characters, never inside one
      cut = true;
      break;
    }
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      shown += "\\x";
      shown += "0123456789abcdef"[c >> 4];
      shown += "0123456789abcdef"[c & 0xF];
    } else {
      shown += static_cast<char>(c);
    }
  }
  if (cut) shown += "…";
  return shown += close;
}

}  // namespace quorvane::csv
