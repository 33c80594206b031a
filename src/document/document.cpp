#include "document.h"

#include <utility>

namespace quorvane::document {

Paragraph paragraph(std::string text, Style style, Align align, bool bold) {
  return Paragraph{style, align, {Span{std::move(text), bold}}};
}

Cell cell(std::vector<std::string> lines, int span, bool bold, Align align) {
  Cell result;
  result.span = span;
  result.paragraphs.reserve(lines.size());
  for (std::string& line : lines) {
    result.paragraphs.push_back(paragraph(std::move(line), Style::body, align, bold));
  }
  return result;
}

}  // namespace quorvane::document
