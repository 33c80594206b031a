#pragma once

// What the OpenDocument and the HTML writers share: a text made fit for a
// file, and a table laid out on its columns. Both writers must agree on
// these, so that the printed page and the saved file show the same thing.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document.h"

namespace quorvane::document {

// The text as a file can hold it: CR LF and a lone CR become '\n', control
// characters other than tab and '\n' (and DEL, the C1 controls, U+FFFE and
// U+FFFF) are left out, and each ill-formed UTF-8 sequence becomes one U+FFFD.
[[nodiscard]] std::string cleanText(std::string_view text);

// Appends c to out, as a markup reference when it is one of & < > " and '
// (the apostrophe as `apostrophe`: XML's &apos; is no HTML 4 entity).
void appendEscaped(std::string& out, char c, std::string_view apostrophe);

// A number of hundredths written shortest: 96 as "0.96", 640 as "6.4",
// 1600 as "16".
[[nodiscard]] std::string hundredths(int value);

// Each column's share of the table's width in hundredths of a percent. The
// given percentages when there is one for every column and all are
// positive, else equal shares.
[[nodiscard]] std::vector<int> columnShares(const Table& table);

// A cell put on the table's columns: `cell` is null for the empty cells
// that fill a short row.
struct PlacedCell {
  const Cell* cell;
  int span;
};

// The row's cells on `columns` columns: spans clamped to the columns left,
// a short row filled with empty cells, cells past the last column left out.
[[nodiscard]] std::vector<PlacedCell> placeCells(const Row& row, std::size_t columns);

}  // namespace quorvane::document
