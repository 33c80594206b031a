#pragma once

// The document (document.h) as one self-contained HTML page for print: the
// window hands it to QTextDocument::setHtml, the page to the browser. It
// shows what the OpenDocument file (odt.h) holds: the same faces and sizes,
// the tables' column widths and borders, and the page breaks.
//
// Only what both renderers honour is used: inline styles, width attributes
// on the cells as well as on <col>, border-collapse, page-break-before on a
// block, and an @page rule for A4 with 2.5 cm margins in the browser (the
// window sets its printer's page itself).

#include <string>

#include "document.h"

namespace quorvane::document {

[[nodiscard]] std::string htmlDocument(const Document& document);

}  // namespace quorvane::document
