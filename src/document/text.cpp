#include "text.h"

#include <algorithm>
#include <cstdint>

namespace quorvane::document {

namespace {

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool keeps(std::uint32_t code) {
  if (code == '\t' || code == '\n') return true;
  if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return false;
  return code != 0xFFFE && code != 0xFFFF;
}

}  // namespace

std::string cleanText(std::string_view text) {
  constexpr std::uint32_t replacement = 0xFFFD;
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    ++i;
    if (lead == '\r') {
      if (i < text.size() && text[i] == '\n') ++i;
      out += '\n';
      continue;
    }
    if (lead < 0x80) {
      if (keeps(lead)) out += static_cast<char>(lead);
      continue;
    }
    // The well-formed sequences: the second byte's range depends on the lead
    // so that overlong forms, surrogates and codes past U+10FFFF are refused.
    int more = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      code = lead & 0x0Fu;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      code = lead & 0x07u;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      appendUtf8(out, replacement);
      continue;
    }
    bool complete = true;
    for (; more > 0; --more) {
      const auto next = static_cast<unsigned char>(i < text.size() ? text[i] : '\0');
      if (next < low || next > high) {
        complete = false;
        break;
      }
      code = (code << 6) | (next & 0x3Fu);
      low = 0x80;
      high = 0xBF;
      ++i;
    }
    if (!complete) {
      appendUtf8(out, replacement);
    } else if (keeps(code)) {
      appendUtf8(out, code);
    }
  }
  return out;
}

std::string hundredths(int value) {
  std::string out = std::to_string(value / 100);
  if (const int rest = value % 100; rest != 0) {
    out += rest < 10 ? ".0" : ".";
    out += std::to_string(rest % 10 == 0 ? rest / 10 : rest);
  }
  return out;
}

std::vector<int> columnShares(const Table& table) {
  std::size_t columns = table.widths.size();
  if (columns == 0) {
    for (const Row& row : table.rows) columns = std::max(columns, row.cells.size());
  }
  if (columns == 0) return {};
  long long sum = 0;
  bool given = table.widths.size() == columns;
  for (int width : table.widths) {
    given = given && width > 0;
    sum += width;
  }
  std::vector<int> shares;
  shares.reserve(columns);
  for (std::size_t column = 0; column < columns; ++column) {
    const long long share = given ? (10000LL * table.widths[column] + sum / 2) / sum
                                  : 10000LL / static_cast<long long>(columns);
    shares.push_back(static_cast<int>(std::max(share, 1LL)));
  }
  return shares;
}

std::vector<PlacedCell> placeCells(const Row& row, std::size_t columns) {
  std::vector<PlacedCell> placed;
  std::size_t used = 0;
  for (const Cell& cell : row.cells) {
    if (used >= columns) break;
    const std::size_t left = columns - used;
    const std::size_t span =
        cell.span < 1 ? 1 : std::min(static_cast<std::size_t>(cell.span), left);
    placed.push_back({&cell, static_cast<int>(span)});
    used += span;
  }
  for (; used < columns; ++used) placed.push_back({nullptr, 1});
  return placed;
}

void appendEscaped(std::string& out, char c, std::string_view apostrophe) {
  switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    case '\'':
      out += apostrophe;
      break;
    default:
      out += c;
  }
}

}  // namespace quorvane::document
