#pragma once

// The document (document.h) as an OpenDocument text file (ODF 1.2), the form
// LibreOffice, Word and WPS all open and edit.
//
// styles.xml holds what every document shares: the faces 宋体 (serif) and
// 黑体 (sans), the four paragraph styles, each naming its face for Western
// and for Asian text so that Chinese text is set in it, and the A4 page with
// 2.5 cm margins. content.xml holds the text, with automatic styles for the
// alignments, page breaks, bold runs and each table's column widths.
//
// The output depends on the document only: the same document always gives
// the same bytes, in the window and in the page.

#include <string>

#include "document.h"

namespace quorvane::document {

// The text file's bytes: a zip of mimetype (first and stored, as ODF asks),
// META-INF/manifest.xml, content.xml and styles.xml.
[[nodiscard]] std::string odtFile(const Document& document);

// The package's parts, each a UTF-8 XML document.
[[nodiscard]] std::string odtContent(const Document& document);
[[nodiscard]] std::string odtStyles();
[[nodiscard]] std::string odtManifest();

}  // namespace quorvane::document
