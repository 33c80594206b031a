#include "claim_document.h"

#include <charconv>
#include <optional>

#include "claim_input.h"

namespace quorvane::claim {
namespace {

using document::Align;
using document::Style;

std::optional<int> plainNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// A date typed in three boxes, as YYYY-MM-DD when it is one, else as typed.
std::string dateText(const std::string& year, const std::string& month, const std::string& day) {
  const auto y = plainNumber(year), m = plainNumber(month), d = plainNumber(day);
  if (y && m && d && *y > 0 && *y <= 9999) {
    if (const auto date = detail::realDate(*y, *m, *d)) return detail::isoText(*date);
  }
  return year + '-' + month + '-' + day;
}

}  // namespace

std::string sheetFacts(const CaseInput& input, const ClaimInput& claim) {
  std::string facts =
      "受害人出生日期 " + dateText(input.受害人生日年, input.受害人生日月, input.受害人生日日) +
      "；事故发生日 " + dateText(input.事故发生日年, input.事故发生日月, input.事故发生日日);
  if (!claim.定残日.empty()) facts += "；定残日 " + claim.定残日;
  facts +=
      "；计算标准年度 " + (claim.计算标准年度.empty() ? input.事故发生日年 : claim.计算标准年度);
  if (claim.案件类型 == "死亡") {
    facts += "；死亡";
  } else if (!input.伤残等级.empty()) {
    facts += "；伤残等级 " + input.伤残等级 + "级";
  }
  return facts;
}

document::Table sheetTable(const std::vector<TableRow>& rows) {
  // The table in 五号 (10.5 pt), as a filed table is set: at the body's
  // 12 pt a seven-figure amount would wrap in its column.
  const auto small = [](std::string text, bool bold, Align align = Align::left) {
    return document::Cell{{document::paragraph(std::move(text), Style::small, align, bold)}};
  };
  document::Table table;
  table.widths = {6, 16, 40, 14, 24};
  document::Row header;
  header.header = true;
  for (const auto column : kTableColumns) {
    header.cells.push_back(small(std::string(column), true));
  }
  table.rows.push_back(std::move(header));
  for (const auto& row : rows) {
    const bool total = row.kind == TableRow::Kind::total;
    document::Row cells;
    auto texts = tableCells(row);
    for (std::size_t column = 0; column < texts.size(); ++column) {
      // The amounts right-aligned, so that the points line up.
      cells.cells.push_back(
          small(std::move(texts[column]), total, column == 3 ? Align::right : Align::left));
    }
    table.rows.push_back(std::move(cells));
  }
  return table;
}

document::Document sheetDocument(const std::string& facts, const std::vector<TableRow>& rows) {
  return {{document::paragraph("赔偿清单", Style::title, Align::centre), document::paragraph(facts),
           sheetTable(rows), document::paragraph("计算结果仅供参考")}};
}

}  // namespace quorvane::claim
