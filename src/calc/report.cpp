#include "report.h"

#include "working.h"

namespace quorvane {
namespace {

ReportSection inputSection(const CaseInput& in) {
  ReportSection section{"案情（按录入）", {}, {}, {}};
  for (const auto& field : inputFields) {
    const std::string& text = in.*field.member;
    section.rows.push_back({std::string(field.name), text.empty() ? "（空）" : text, {}});
  }
  return section;
}

ReportSection standardsSection(std::string_view accidentYear, const StandardsTable& table) {
  ReportSection section{"事故年度统计标准", {}, {}, {}};
  section.rows.push_back(
      {"事故年份", accidentYear.empty() ? "（空）" : std::string(accidentYear), {}});
  const auto row = table.find(accidentYear);
  const Standards values = row ? row->values : Standards{};
  const std::string note = row ? "" : "无此年度标准（请升级），按 0 计";
  if (row && row->fromFile) {
    section.rows.push_back({"标准来源", detail::standardsName(row, accidentYear), {}});
  }
  section.rows.push_back(
      {"城镇居民人均可支配收入", std::to_string(values.urbanDisposableIncome) + " 元/年", note});
  section.rows.push_back({"扶养基数", std::to_string(values.supportBase) + " 元/年", note});
  section.rows.push_back(
      {"住院伙食补助标准", std::to_string(values.mealAllowancePerDay) + " 元/天", note});
  section.rows.push_back(
      {"住宿费标准", std::to_string(values.lodgingAllowancePerDay) + " 元/天", note});
  return section;
}

}  // namespace

CaseReport reportFor(const CaseInput& input, const StandardsTable& standards) {
  CaseReport report;
  report.sections.push_back(inputSection(input));
  report.sections.push_back(standardsSection(input.事故发生日年, standards));

  CaseWorking working;
  const auto outcome = runCalculation(input, standards, &working);
  ReportSection results{"计算结果", {}, {}, {}};
  if (const auto* stop = std::get_if<CalcStop>(&outcome)) {
    report.notice = stop->notice;
    report.stopMessage = stop->message;
    results.rows.push_back({"计算中止", stop->message, {}});
  } else {
    const auto& done = std::get<CalcCompleted>(outcome);
    report.notice = done.notice;
    for (const auto& field : resultFields) {
      results.rows.push_back(
          {std::string(field.name), done.result.*field.member, working.*field.member});
    }
  }
  report.sections.push_back(std::move(results));
  return report;
}

std::string reportText(const CaseReport& report, std::string_view printedDate) {
  std::string text = std::string(kReportTitle) + "\n打印日期：" + std::string(printedDate) + "\n" +
                     std::string(kReferenceOnly) + "\n";
  if (report.notice) text += "提示：" + *report.notice + "\n";
  for (const auto& section : report.sections) {
    text += "\n【" + section.title + "】\n";
    for (const auto& row : section.rows) {
      text += row.name + "：" + row.value + "\n";
      if (row.working.empty()) continue;
      std::size_t start = 0;
      while (start <= row.working.size()) {
        const auto end = row.working.find('\n', start);
        text += "    " + row.working.substr(start, end - start) + "\n";
        if (end == std::string::npos) break;
        start = end + 1;
      }
    }
    for (const auto& row : section.table) {
      for (std::size_t k = 0; k < row.size(); ++k) text += (k == 0 ? "" : "\t") + row[k];
      text += "\n";
    }
    if (!section.note.empty()) text += section.note + "\n";
  }
  return text;
}

}  // namespace quorvane
