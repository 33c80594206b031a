#include "standards_edit.h"

#include <algorithm>

namespace quorvane::standards {
namespace {

bool isYear(std::string_view text) {
  return text.size() == 4 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void sortNewestFirst(std::vector<RowTexts>& rows) {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const RowTexts& a, const RowTexts& b) { return a[0] > b[0]; });
}

}  // namespace

std::vector<RowTexts> builtInRowTexts() {
  std::vector<RowTexts> rows;
  for (const auto& row : builtInStandards) rows.push_back(rowTexts(row));
  sortNewestFirst(rows);
  return rows;
}

std::vector<RowTexts> fileRowTexts(const StandardsTable& table) {
  std::vector<RowTexts> rows;
  for (const auto& row : table.rows()) {
    if (row.fromFile) rows.push_back(rowTexts(row));
  }
  sortNewestFirst(rows);
  return rows;
}

std::size_t addRow(std::vector<RowTexts>& rows, std::string_view pickedYear) {
  std::vector<RowTexts> all = builtInRowTexts();
  all.insert(all.end(), rows.begin(), rows.end());
  const RowTexts* newest = nullptr;
  for (const auto& row : all) {
    if (isYear(row[0]) && (newest == nullptr || row[0] > (*newest)[0])) newest = &row;
  }
  const bool pickedHasRow = std::any_of(all.begin(), all.end(),
                                        [&](const RowTexts& row) { return row[0] == pickedYear; });
  RowTexts added;
  if (!pickedYear.empty() && !pickedHasRow) {
    added[0] = pickedYear;
  } else if (newest != nullptr) {
    added[0] = std::to_string(std::stoi((*newest)[0]) + 1);
  }
  if (newest != nullptr) {
    added[3] = (*newest)[3];
    added[4] = (*newest)[4];
  }
  const auto at = std::find_if(rows.begin(), rows.end(),
                               [&](const RowTexts& row) { return row[0] < added[0]; });
  const auto index = at - rows.begin();
  rows.insert(at, added);
  return static_cast<std::size_t>(index);
}

std::vector<std::string> conflictingYears(const std::vector<RowTexts>& rows,
                                          const StandardsTable& imported) {
  std::vector<std::string> years;
  for (const auto& row : rows) {
    const auto other = imported.find(row[0]);
    // A year the unsaved table holds twice is named once.
    const bool named = std::find(years.begin(), years.end(), row[0]) != years.end();
    if (other && other->fromFile && !named) years.push_back(row[0]);
  }
  return years;
}

std::vector<RowTexts> importRows(std::vector<RowTexts> rows, const StandardsTable& imported,
                                 bool replace) {
  for (const auto& row : fileRowTexts(imported)) {
    const auto same = std::find_if(rows.begin(), rows.end(),
                                   [&](const RowTexts& mine) { return mine[0] == row[0]; });
    if (same == rows.end()) {
      rows.push_back(row);
    } else if (replace) {
      *same = row;
    }
  }
  sortNewestFirst(rows);
  return rows;
}

std::string conflictQuestionChinese(const std::vector<std::string>& years) {
  std::string list;
  for (const auto& year : years) list += (list.empty() ? "" : "、") + year;
  return "导入的文件中以下年度表中已有：" + list + "。\n替换为导入的数值，还是保留表中的数值？";
}

std::string describeRowChinese(const FileError& error) {
  return "第 " + std::to_string(builtInStandards.size() + error.row) + " 行：" +
         error.reasonChinese;
}

}  // namespace quorvane::standards
