#pragma once

// The claim sheet as a document (document.h): the title 赔偿清单, a line of
// the case's facts, the filed table (claim_table.h) with its columns'
// widths, and the reminder that the figures are for reference. The window's
// and the page's 导出清单 write it, and the complaint (起诉状) carries the
// facts line and the table on its last page.

#include <string>
#include <vector>

#include "case.h"
#include "claim.h"
#include "claim_table.h"
#include "document.h"

namespace quorvane::claim {

// 受害人出生日期, 事故发生日, 定残日 when set, 计算标准年度 (the accident
// year when empty), then the grade or 死亡, joined by "；".
[[nodiscard]] std::string sheetFacts(const CaseInput& input, const ClaimInput& claim);

// The filed table under its header row, columns 6/16/40/14/24 %.
[[nodiscard]] document::Table sheetTable(const std::vector<TableRow>& rows);

// The whole exported sheet.
[[nodiscard]] document::Document sheetDocument(const std::string& facts,
                                               const std::vector<TableRow>& rows);

}  // namespace quorvane::claim
