#include "document.h"

#include <utility>

namespace quorvane::document {

Paragraph paragraph(std::string text, Style style, Align align, bool bold) {
  return {style, align, {{std::move(text), bold}}};
}

Cell cell(std::vector<std::string> lines, int span, bool bold, Align align) {
  Cell made;
  made.span = span;
  made.paragraphs.reserve(lines.size());
  for (auto& line : lines) made.paragraphs.push_back(paragraph(std::move(line), Style::body, align, bold));
  return made;
}

}  // namespace quorvane::document
