#include "html.h"

#include <cstddef>
#include <string_view>
#include <type_traits>
#include <variant>

#include "text.h"

namespace quorvane::document {

namespace {

constexpr std::string_view pageBreak = "page-break-before:always;";

void escape(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == '\n') {
      out += "<br>";
    } else {
      appendEscaped(out, c, "&#39;");
    }
  }
}

// The style of a paragraph, matching the OpenDocument writer's named styles;
// in a cell the padding spaces the text, so without the style's margins.
std::string paragraphStyle(const Paragraph& paragraph, bool inCell) {
  constexpr std::string_view song = "font-family:'宋体','SimSun',serif;";
  constexpr std::string_view hei = "font-family:'黑体','SimHei',sans-serif;";
  std::string_view face = song;
  std::string_view size = "font-size:12pt;";
  std::string_view margin = "margin:0 0 0.2cm 0;";
  switch (paragraph.style) {
    case Style::title:
      face = hei;
      size = "font-size:18pt;";
      margin = "margin:0 0 0.5cm 0;";
      break;
    case Style::heading:
      face = hei;
      size = "font-size:14pt;";
      margin = "margin:0.4cm 0 0.2cm 0;";
      break;
    case Style::body:
      break;
    case Style::small:
      size = "font-size:10.5pt;";
      break;
  }
  std::string out{face};
  out += size;
  out += inCell ? "margin:0;" : margin;
  out += paragraph.align == Align::left     ? "text-align:left;"
         : paragraph.align == Align::centre ? "text-align:center;"
                                            : "text-align:right;";
  // Spaces and tabs as typed, as the OpenDocument file keeps them.
  out += "white-space:pre-wrap;";
  return out;
}

class HtmlWriter {
 public:
  explicit HtmlWriter(const Document& document) {
    bool pendingBreak = false;
    for (const Block& block : document.blocks) {
      std::visit(
          [&](const auto& item) {
            using Item = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<Item, Paragraph>) {
              writeParagraph(item, pendingBreak ? pageBreak : "", false);
              pendingBreak = false;
            } else if constexpr (std::is_same_v<Item, Table>) {
              writeTable(item, pendingBreak);
              pendingBreak = false;
            } else {
              if (pendingBreak) out_ += "<div style=\"page-break-before:always\"></div>\n";
              pendingBreak = true;
            }
          },
          block);
    }
    if (pendingBreak) out_ += "<div style=\"page-break-before:always\"></div>\n";
  }

  std::string result() const {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
           "<style>@page{size:A4 portrait;margin:2.5cm}body{margin:0}</style>\n"
           "</head>\n<body>\n" +
           out_ + "</body>\n</html>\n";
  }

 private:
  void writeParagraph(const Paragraph& paragraph, std::string_view before, bool inCell) {
    out_ += "<p style=\"";
    out_ += before;
    out_ += paragraphStyle(paragraph, inCell);
    out_ += "\">";
    bool empty = true;
    for (const Span& span : paragraph.spans) {
      const std::string text = cleanText(span.text);
      if (text.empty()) continue;
      empty = false;
      if (span.bold) out_ += "<b>";
      escape(out_, text);
      if (span.bold) out_ += "</b>";
    }
    // An empty paragraph keeps its line, as it does in the file.
    if (empty) out_ += "&#160;";
    out_ += "</p>";
    if (!inCell) out_ += '\n';
  }

  void writeTable(const Table& table, bool breakBefore) {
    const std::vector<int> shares = columnShares(table);
    if (shares.empty()) return;
    out_ += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\" style=\"";
    if (breakBefore) out_ += pageBreak;
    out_ += "border-collapse:collapse;width:100%;margin:0 0 0.2cm 0;\">\n<colgroup>";
    for (int share : shares) out_ += "<col width=\"" + hundredths(share) + "%\">";
    out_ += "</colgroup>\n";

    std::size_t headerRows = 0;
    while (headerRows < table.rows.size() && table.rows[headerRows].header) ++headerRows;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
      if (row == 0 && headerRows > 0) out_ += "<thead>\n";
      if (row == headerRows) out_ += "<tbody>\n";
      writeRow(table.rows[row], shares, row < headerRows);
      if (row + 1 == headerRows) out_ += "</thead>\n";
    }
    if (table.rows.size() > headerRows) out_ += "</tbody>\n";
    out_ += "</table>\n";
  }

  void writeRow(const Row& row, const std::vector<int>& shares, bool header) {
    const std::string_view tag = header ? "th" : "td";
    out_ += "<tr>";
    std::size_t column = 0;
    for (const PlacedCell& placed : placeCells(row, shares.size())) {
      int width = 0;
      for (int covered = 0; covered < placed.span; ++covered) width += shares[column++];
      out_ += "<";
      out_ += tag;
      // A spanning cell names no width: Qt would share it out evenly among
      // the columns it covers, over the widths of the cells that span one.
      if (placed.span > 1) {
        out_ += " colspan=\"" + std::to_string(placed.span) + "\"";
      } else {
        out_ += " width=\"" + hundredths(width) + "%\"";
      }
      out_ +=
          " style=\"border:0.5pt solid #000000;padding:0.1cm;vertical-align:top;"
          "font-weight:normal;\">";
      if (placed.cell == nullptr || placed.cell->paragraphs.empty()) {
        writeParagraph(Paragraph{}, "", true);
      } else {
        for (const Paragraph& paragraph : placed.cell->paragraphs) {
          writeParagraph(paragraph, "", true);
        }
      }
      out_ += "</";
      out_ += tag;
      out_ += ">";
    }
    out_ += "</tr>\n";
  }

  std::string out_;
};

}  // namespace

std::string htmlDocument(const Document& document) {
  return HtmlWriter(document).result();
}

}  // namespace quorvane::document
