#pragma once

// The claim sheet as a document to file with a complaint (起诉状): the
// engine's document of it (claim_document.h) saved as an OpenDocument text
// file (odt.h), which Word, WPS and LibreOffice open, set in 宋体 on A4.

#include <QString>
#include <string>
#include <vector>

#include "claim_table.h"

namespace quorvane::window {

// Where the sheet is offered to go: beside the case file, named after it,
// else 赔偿清单.odt in folder.
[[nodiscard]] QString sheetFileName(const QString& casePath, const QString& folder);

// Writes the sheet to path whole or not at all; empty, or why it failed.
[[nodiscard]] QString writeSheet(const QString& path, const std::string& facts,
                                 const std::vector<claim::TableRow>& rows);

}  // namespace quorvane::window
