#pragma once

// The claim sheet as a document to file with a complaint (起诉状): the title
// 赔偿清单, a line of the case's facts, the filed table (claim_table.h) and
// the reminder that the figures are for reference, saved as an OpenDocument
// text file, which Word, WPS and LibreOffice open.

#include <QString>
#include <vector>

#include "case.h"
#include "claim.h"
#include "claim_table.h"

class QTextDocument;

namespace quorvane::window {

// 受害人出生日期, 事故发生日, 定残日 when set, 计算标准年度 (the accident
// year when empty), then the grade or 死亡, on one line.
[[nodiscard]] QString sheetFacts(const CaseInput& input, const claim::ClaimInput& claim);

// The whole sheet as a document, for the writer or a look on screen.
void fillSheetDocument(QTextDocument& document, const QString& facts,
                       const std::vector<claim::TableRow>& rows);

// Where the sheet is offered to go: beside the case file, named after it,
// else 赔偿清单.odt in folder.
[[nodiscard]] QString sheetFileName(const QString& casePath, const QString& folder);

// Writes the sheet to path whole or not at all; empty, or why it failed.
[[nodiscard]] QString writeSheet(const QString& path, const QString& facts,
                                 const std::vector<claim::TableRow>& rows);

}  // namespace quorvane::window
