#pragma once

// The rules of the standards editor, shared by the window's dialog and the
// page: which rows it shows, the row 添加 makes, how 导入 merges another file,
// and how a fault found at 保存 is said. The editor holds the rows of the
// user's file as texts; 保存 checks them with readStandardsRows, the file
// reader's own rules.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "standards_file.h"

namespace quorvane::standards {

// The built-in rows as the editor shows them, newest first, read-only.
[[nodiscard]] std::vector<RowTexts> builtInRowTexts();

// The rows a table adds to the built-in ones, newest first.
[[nodiscard]] std::vector<RowTexts> fileRowTexts(const StandardsTable& table);

// Adds the row 添加 makes to the file rows and returns its index there. Its year
// is pickedYear when no row (built in or in rows) has it, else the newest year
// plus one; its daily rates are the newest row's. It goes before the first row
// of an older year, so that a table kept newest first stays so.
std::size_t addRow(std::vector<RowTexts>& rows, std::string_view pickedYear);

// The years of imported's file rows that rows already hold, in rows' order.
[[nodiscard]] std::vector<std::string> conflictingYears(const std::vector<RowTexts>& rows,
                                                        const StandardsTable& imported);

// rows with imported's file rows added: a year rows already hold takes the
// imported texts when replace is set and keeps its own otherwise; the table is
// then newest first.
[[nodiscard]] std::vector<RowTexts> importRows(std::vector<RowTexts> rows,
                                               const StandardsTable& imported, bool replace);

// The question 导入 asks when the file holds years the table has.
[[nodiscard]] std::string conflictQuestionChinese(const std::vector<std::string>& years);

// A fault of readStandardsRows as the editor says it, the row counted as the
// editor shows the table (the built-in rows on top): "第 N 行：…".
[[nodiscard]] std::string describeRowChinese(const FileError& error);

}  // namespace quorvane::standards
