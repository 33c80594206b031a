#pragma once

// The standards file: the rows a user or their firm adds to the built-in
// standards for the accident years after 2012, read alike by the window and
// the batch tool.
//
// It is a UTF-8 CSV whose first row names the columns (in any order): 年度,
// 城镇居民人均可支配收入, 城镇居民人均消费性支出, 住院伙食补助标准,
// 住宿补助标准 and, optionally, 职工平均工资 and 来源. Each later row is one
// year; a row may leave its 职工平均工资 empty. The reader takes a file whole
// or not at all: the first fault refuses it with its line, and the program
// then goes by the built-in rows alone.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc.h"

namespace quorvane::standards {

// Why a standards file was refused, in English for the batch tool and in
// Chinese for the window.
struct FileError {
  std::size_t line = 0;  // 1-based; 0 when the fault is the file's, not a line's
  std::string reason;
  std::string reasonChinese;
  std::size_t row = 0;  // 1-based among the rows after the header; 0 for the header or the file
  std::optional<std::size_t> column;  // the faulty cell's column (kColumns), where one is
};

// The column names, in the order --list-standards writes them.
inline constexpr std::string_view kYear = "年度";
inline constexpr std::string_view kIncome = "城镇居民人均可支配收入";
inline constexpr std::string_view kSupportBase = "城镇居民人均消费性支出";
inline constexpr std::string_view kMealRate = "住院伙食补助标准";
inline constexpr std::string_view kLodgingRate = "住宿补助标准";
inline constexpr std::string_view kAverageWage = "职工平均工资";
inline constexpr std::string_view kSource = "来源";
inline constexpr std::array<std::string_view, 7> kColumns{
    kYear, kIncome, kSupportBase, kMealRate, kLodgingRate, kAverageWage, kSource};

// One row as a person types it: its texts in the order of kColumns.
using RowTexts = std::array<std::string, kColumns.size()>;

// The built-in table with the file's rows added, or the first fault.
[[nodiscard]] std::variant<StandardsTable, FileError> readStandardsFile(std::string_view text);

// The built-in table with these rows added, each checked exactly as the file
// reader checks a row; a fault names its row and column.
[[nodiscard]] std::variant<StandardsTable, FileError> readStandardsRows(
    const std::vector<RowTexts>& rows);

// A row's texts as the file writes them.
[[nodiscard]] RowTexts rowTexts(const StandardsRow& row);

// The rows a table adds to the built-in ones, as a standards file: the header
// row, then one row per year, UTF-8 with LF line ends.
[[nodiscard]] std::string standardsFileText(const StandardsTable& table);

// The table in force as CSV in the file's own format, built-in rows first.
[[nodiscard]] std::string standardsCsv(const StandardsTable& table);

// Where the user's file lives: $XDG_CONFIG_HOME/quorvane/standards.csv, or
// ~/.config/quorvane/standards.csv when XDG_CONFIG_HOME is unset (or not an
// absolute path, as the XDG rules say). Empty when there is no home either.
[[nodiscard]] std::string userStandardsPath();

// Reads the file at path. A missing file is no file (nullopt) unless it is
// required, as one named on the command line is.
[[nodiscard]] std::variant<std::optional<StandardsTable>, FileError> loadStandardsFile(
    const std::string& path, bool required);

// Where the fault lies, "PATH:LINE" (or "PATH" for a fault of the whole file),
// and in Chinese with its reason: "PATH 第 LINE 行：reason".
[[nodiscard]] std::string place(const std::string& path, const FileError& error);
[[nodiscard]] std::string describeChinese(const std::string& path, const FileError& error);

}  // namespace quorvane::standards
