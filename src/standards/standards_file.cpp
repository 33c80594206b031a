#include "standards_file.h"

#include <csv.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "csv_text.h"

namespace quorvane::standards {
namespace {

enum Column : std::size_t {
  year,
  income,
  supportBase,
  mealRate,
  lodgingRate,
  averageWage,
  source,
  columnCount
};

constexpr const auto& kColumnNames = kColumns;
static_assert(kColumnNames.size() == columnCount && kColumnNames[averageWage] == kAverageWage &&
              kColumnNames[source] == kSource);

// A file written before a column was added still reads: the columns from this
// one on may be left out of the header.
constexpr std::size_t kFirstOptional = averageWage;

// The largest value each figure may take: those of the table's own fields.
constexpr std::array<std::uint64_t, source> kLargest{9999,  2147483647, 2147483647,
                                                     32767, 32767,      2147483647};

std::string number(std::size_t n) {
  return std::to_string(n);
}

bool allDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A row's fault: the column it lies in (columnCount for the row as a whole)
// and why, in English and Chinese.
struct RowFault {
  std::size_t column;
  std::string reason;
  std::string reasonChinese;
};

// Checks rows one at a time and adds the good ones to a table: the rules of a
// row, whether it comes from a file or from the standards editor.
class RowChecker {
 public:
  std::optional<RowFault> take(const std::array<std::string_view, columnCount>& fields) {
    const std::string yearText(fields[year]);
    if (yearText.size() != 4 || !allDigits(yearText)) {
      return RowFault{year, "年度 " + csv::quoted(yearText) + " is not four digits",
                      "年度" + csv::quoted(yearText, "“", "”") + "不是四位数字"};
    }
    std::array<std::uint64_t, source> values{};
    for (std::size_t column = income; column < source; ++column) {
      if (column == averageWage && fields[column].empty()) continue;  // a year without one
      if (auto fault = figure(column, fields[column], values[column])) return fault;
    }
    if (const auto existing = table_.find(yearText)) {
      if (!existing->fromFile) {
        return RowFault{year, "年度 " + yearText + " is built in; a file cannot replace it",
                        yearText + " 年度是内置标准，标准文件不能替换"};
      }
      return RowFault{year, "年度 " + yearText + " stands twice in the file",
                      yearText + " 年度在文件中出现了两次"};
    }
    Standards row{static_cast<std::int32_t>(values[income]),
                  static_cast<std::int32_t>(values[supportBase]),
                  static_cast<std::int16_t>(values[mealRate]),
                  static_cast<std::int16_t>(values[lodgingRate])};
    if (!fields[averageWage].empty())
      row.averageWage = static_cast<std::int32_t>(values[averageWage]);
    table_.add(yearText, row, std::string(fields[source]));
    return std::nullopt;
  }

  StandardsTable& table() { return table_; }

 private:
  // A whole number of yuan in digits only, within its field's range.
  static std::optional<RowFault> figure(std::size_t column, std::string_view text,
                                        std::uint64_t& value) {
    const std::string name(kColumnNames[column]);
    if (text.empty() || !allDigits(text)) {
      return RowFault{column,
                      name + " " + csv::quoted(text) +
                          " is not a whole number in digits alone (no point, sign, blank or unit)",
                      name + csv::quoted(text, "“", "”") +
                          "不是整数：只能由数字组成，不带小数点、正负号、空格或单位"};
    }
    const std::size_t first = text.find_first_not_of('0');
    const std::string_view significant =
        first == std::string_view::npos ? std::string_view("0") : text.substr(first);
    value = 0;
    bool above = significant.size() > 10;
    for (std::size_t i = 0; !above && i < significant.size(); ++i) {
      value = value * 10 + static_cast<std::uint64_t>(significant[i] - '0');
    }
    if (above || value > kLargest[column]) {
      return RowFault{
          column, name + " " + csv::quoted(text) + " is above " + std::to_string(kLargest[column]),
          name + csv::quoted(text, "“", "”") + "超过了上限 " + std::to_string(kLargest[column])};
    }
    return std::nullopt;
  }

  StandardsTable table_;
};

// Drives libcsv (strict RFC 4180) one line at a time, as the batch reader does,
// so that every fault names its line.
class Reader {
 public:
  Reader() {
    csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_space_func(&parser_, [](unsigned char) { return 0; });  // blanks belong to the field
  }
  ~Reader() { csv_free(&parser_); }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  std::variant<StandardsTable, FileError> read(std::string_view text) {
    if (text.starts_with(csv::kByteOrderMark)) text.remove_prefix(csv::kByteOrderMark.size());
    while (!text.empty() && !failure_) {
      const auto chunk = text.substr(0, csv::lineLength(text));
      if (!csv::wellFormedUtf8(chunk)) {
        fail(line_, "not UTF-8 text (save the file as CSV UTF-8)",
             "不是 UTF-8 文本（请另存为 CSV UTF-8 格式）");
        break;
      }
      if (betweenRows_ && chunk.front() != '\r' && chunk.front() != '\n') {
        rowLine_ = line_;
        betweenRows_ = false;
      }
      if (csv_parse(&parser_, chunk.data(), chunk.size(), onField, onRow, this) != chunk.size()) {
        fail(line_,
             "broken quoting: a quote inside an unquoted field, or text after a closing quote",
             "引号有误：未加引号的字段中有引号，或闭合引号之后还有文字");
      }
      text.remove_prefix(chunk.size());
      ++line_;
    }
    if (!failure_ && csv_fini(&parser_, onField, onRow, this) != 0) {
      fail(rowLine_, "a quoted field is not closed before the end of the file",
           "带引号的字段直到文件末尾都没有闭合");
    }
    if (!failure_ && !haveHeader_)
      fail(1, "the file is empty: no header row", "文件是空的：没有标题行");
    if (failure_) return *std::move(failure_);
    return std::move(checker_.table());
  }

 private:
  static void onField(void* data, std::size_t size, void* self) {
    auto& reader = *static_cast<Reader*>(self);
    if (reader.fieldCount_ == reader.fields_.size()) reader.fields_.emplace_back();
    reader.fields_[reader.fieldCount_++].assign(static_cast<const char*>(data), size);
  }

  static void onRow(int, void* self) {
    auto& reader = *static_cast<Reader*>(self);
    if (!reader.failure_) {
      if (!reader.haveHeader_) {
        reader.haveHeader_ = true;
        reader.takeHeader();
      } else {
        reader.takeRow();
      }
    }
    reader.fieldCount_ = 0;
    reader.betweenRows_ = true;
  }

  void takeHeader() {
    columnOf_.fill(columnCount);
    headerCount_ = fieldCount_;
    for (std::size_t i = 0; i < fieldCount_; ++i) {
      const std::string& name = fields_[i];
      std::size_t column = 0;
      while (column < columnCount && kColumnNames[column] != name) ++column;
      if (column == columnCount) {
        return fail(rowLine_, csv::quoted(name) + " in the header is not a standards column",
                    "标题行中的" + csv::quoted(name, "“", "”") + "不是标准文件的列");
      }
      if (columnOf_[column] != columnCount) {
        return fail(rowLine_, csv::quoted(name) + " stands twice in the header",
                    "标题行中的" + csv::quoted(name, "“", "”") + "出现了两次");
      }
      columnOf_[column] = i;
    }
    for (std::size_t column = 0; column < kFirstOptional; ++column) {
      if (columnOf_[column] == columnCount) {
        const std::string name(kColumnNames[column]);
        return fail(rowLine_, "the header lacks the column " + name, "标题行缺少“" + name + "”列");
      }
    }
  }

  void takeRow() {
    ++rowCount_;
    if (fieldCount_ != headerCount_) {
      fail(rowLine_,
           "the row has " + number(fieldCount_) + " fields but the header names " +
               number(headerCount_),
           "该行有 " + number(fieldCount_) + " 个字段，而标题行有 " + number(headerCount_) + " 列");
      failure_->row = rowCount_;
      return;
    }
    std::array<std::string_view, columnCount> row{};
    for (std::size_t column = 0; column < columnCount; ++column) {
      if (columnOf_[column] != columnCount) row[column] = fields_[columnOf_[column]];
    }
    if (auto fault = checker_.take(row)) {
      fail(rowLine_, std::move(fault->reason), std::move(fault->reasonChinese));
      failure_->row = rowCount_;
      failure_->column = fault->column;
    }
  }

  void fail(std::size_t line, std::string reason, std::string reasonChinese) {
    if (!failure_) failure_ = FileError{line, std::move(reason), std::move(reasonChinese), 0, {}};
  }

  csv_parser parser_{};
  std::vector<std::string> fields_;
  std::size_t fieldCount_ = 0;
  std::array<std::size_t, columnCount> columnOf_{};  // field index; columnCount: absent
  std::size_t headerCount_ = 0;
  RowChecker checker_;
  std::size_t rowCount_ = 0;
  std::size_t line_ = 1;
  std::size_t rowLine_ = 1;
  bool betweenRows_ = true;
  bool haveHeader_ = false;
  std::optional<FileError> failure_;
};

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return {};
}

}  // namespace

std::variant<StandardsTable, FileError> readStandardsFile(std::string_view text) {
  return Reader().read(text);
}

std::variant<StandardsTable, FileError> readStandardsRows(const std::vector<RowTexts>& rows) {
  RowChecker checker;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::array<std::string_view, columnCount> row{};
    std::copy(rows[i].begin(), rows[i].end(), row.begin());
    if (auto fault = checker.take(row)) {
      return FileError{0, std::move(fault->reason), std::move(fault->reasonChinese), i + 1,
                       fault->column};
    }
  }
  return std::move(checker.table());
}

RowTexts rowTexts(const StandardsRow& row) {
  return {std::string(row.accidentYear),
          std::to_string(row.values.urbanDisposableIncome),
          std::to_string(row.values.supportBase),
          std::to_string(row.values.mealAllowancePerDay),
          std::to_string(row.values.lodgingAllowancePerDay),
          row.values.averageWage ? std::to_string(*row.values.averageWage) : std::string(),
          std::string(row.fromFile ? row.source : std::string_view("内置"))};
}

namespace {

std::string csvRows(const StandardsTable& table, bool withBuiltIn) {
  std::string out;
  for (std::size_t column = 0; column < columnCount; ++column) {
    if (column > 0) out += ',';
    out += kColumnNames[column];
  }
  out += '\n';
  for (const auto& row : table.rows()) {
    if (!withBuiltIn && !row.fromFile) continue;
    const RowTexts texts = rowTexts(row);
    for (std::size_t column = 0; column < columnCount; ++column) {
      if (column > 0) out += ',';
      csv::appendField(out, texts[column]);
    }
    out += '\n';
  }
  return out;
}

}  // namespace

std::string standardsCsv(const StandardsTable& table) {
  return csvRows(table, true);
}

std::string standardsFileText(const StandardsTable& table) {
  return csvRows(table, false);
}

std::string userStandardsPath() {
  std::string folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    folder = config;
  } else {
    folder = homeFolder();
    if (folder.empty()) return {};
    folder += "/.config";
  }
  return folder + "/quorvane/standards.csv";
}

std::variant<std::optional<StandardsTable>, FileError> loadStandardsFile(const std::string& path,
                                                                         bool required) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    if (errno == ENOENT && !required) return std::optional<StandardsTable>();
    return FileError{
        0, std::strerror(errno), std::string("无法打开：") + std::strerror(errno), 0, {}};
  }
  std::string text;
  char buffer[1 << 14];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
  const bool failed = std::ferror(file) != 0;
  const int readErrno = errno;
  std::fclose(file);
  if (failed) {
    return FileError{
        0, std::strerror(readErrno), std::string("无法读取：") + std::strerror(readErrno), 0, {}};
  }
  auto read = readStandardsFile(text);
  if (auto* error = std::get_if<FileError>(&read)) return std::move(*error);
  return std::optional<StandardsTable>(std::get<StandardsTable>(std::move(read)));
}

std::string place(const std::string& path, const FileError& error) {
  return path + (error.line > 0 ? ":" + std::to_string(error.line) : std::string());
}

std::string describeChinese(const std::string& path, const FileError& error) {
  return path + (error.line > 0 ? " 第 " + std::to_string(error.line) + " 行" : std::string()) +
         "：" + error.reasonChinese;
}

}  // namespace quorvane::standards
