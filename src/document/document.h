#pragma once

// The documents Quorvane exports, as a small model that one writer turns into
// an OpenDocument text file (odt.h) and into HTML for print (html.h). The
// window and the page build the same model from the same engine, so a sheet
// or a complaint saved in either is the same file.
//
// The model is what a filed Chinese document needs and no more: paragraphs
// in four styles (the title and headings set in 黑体, the text in 宋体),
// bold runs, three alignments, bordered tables whose columns are given as
// percentages of the text width, cells that span columns and hold several
// paragraphs, and page breaks. The page is A4 portrait with 2.5 cm margins.
//
// Texts are UTF-8 as typed; the writers escape them, and leave out the few
// control characters a file cannot hold, so that whatever a user typed, the
// file opens.

#include <string>
#include <variant>
#include <vector>

namespace quorvane::document {

enum class Style { title, heading, body, small };
enum class Align { left, centre, right };

// A run of text; a paragraph's runs follow each other on its lines. A '\n'
// inside a run is a line break within the paragraph; a '\t' a tab.
struct Span {
  std::string text;
  bool bold = false;

  friend bool operator==(const Span&, const Span&) = default;
};

struct Paragraph {
  Style style = Style::body;
  Align align = Align::left;
  std::vector<Span> spans;

  friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

struct Cell {
  std::vector<Paragraph> paragraphs;  // none: an empty cell
  int span = 1;                       // the columns it covers, from its own

  friend bool operator==(const Cell&, const Cell&) = default;
};

// A row's cells cover the table's columns exactly (their spans add up to
// the number of columns).
struct Row {
  std::vector<Cell> cells;
  bool header = false;  // repeated at the top of each page the table runs onto

  friend bool operator==(const Row&, const Row&) = default;
};

// A table as wide as the text, every cell bordered.
struct Table {
  std::vector<int> widths;  // each column's share of the width in percent, adding up to 100
  std::vector<Row> rows;

  friend bool operator==(const Table&, const Table&) = default;
};

// What follows starts a new page.
struct PageBreak {
  friend bool operator==(const PageBreak&, const PageBreak&) = default;
};

using Block = std::variant<Paragraph, Table, PageBreak>;

struct Document {
  std::vector<Block> blocks;

  friend bool operator==(const Document&, const Document&) = default;
};

// Helpers for building one: a paragraph of a single run, and a cell of one
// paragraph each a line.
[[nodiscard]] Paragraph paragraph(std::string text, Style style = Style::body,
                                  Align align = Align::left, bool bold = false);
[[nodiscard]] Cell cell(std::vector<std::string> lines, int span = 1, bool bold = false,
                        Align align = Align::left);

}  // namespace quorvane::document
