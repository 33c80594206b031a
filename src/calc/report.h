#pragma once

// The case on paper: what the user entered, the accident year's standards, and
// every amount with its working, in Chinese. The window prints it and the batch
// tool's --explain writes it, from the same sections.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc.h"

namespace quorvane {

inline constexpr std::string_view kReportTitle = "人身损害赔偿计算书";
inline constexpr std::string_view kReferenceOnly =
    "本计算结果由 Quorvane 计算，仅供参考，不构成法律意见。";

struct ReportRow {
  std::string name;
  std::string value;
  std::string working;  // empty where there is nothing to explain
};

struct ReportSection {
  std::string title;
  std::vector<ReportRow> rows;
  // A table after the rows, its first row the header; empty for none. As
  // text, each row is a line of tab-separated cells, as a spreadsheet takes it.
  std::vector<std::vector<std::string>> table;
  std::string note;  // a line after the table; empty for none
};

struct CaseReport {
  std::vector<ReportSection> sections;
  std::optional<std::string> notice;       // "请升级"
  std::optional<std::string> stopMessage;  // the run stopped: no results
};

[[nodiscard]] CaseReport reportFor(const CaseInput& input, const StandardsTable& standards = {});

// The report as plain UTF-8 text, headed by the title, the date printed and
// the reference-only notice.
[[nodiscard]] std::string reportText(const CaseReport& report, std::string_view printedDate);

}  // namespace quorvane
