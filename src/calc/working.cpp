#include "working.h"

#include <array>

#include "calendar.h"
#include "decimal.h"

namespace quorvane::detail {
namespace {

std::string ymd(std::int64_t year, std::int64_t month, std::int64_t day) {
  return std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日";
}

}  // namespace

std::string figure(std::string_view typed) {
  std::string shown = formatAmount(numberValue(typed));
  if (typed.empty()) return shown + "（未录入）";
  if (typed != shown) shown += "（录入“" + std::string(typed) + "”）";
  return shown;
}

std::string nominalCoefficient(float coefficient) {
  std::array<char, 32> buf{};
  const auto [end, ec] = decimal::writeShortest(buf.data(), buf.data() + buf.size(), coefficient);
  return std::string(buf.data(), end);
}

std::string exactCoefficient(float coefficient) {
  // A float's exact decimal expansion ends within 30 places for these values.
  std::array<char, 64> buf{};
  const auto [end, ec] = decimal::writeFixed(buf.data(), buf.data() + buf.size(),
                                             static_cast<double>(coefficient), 30);
  std::string text(buf.data(), end);
  while (text.size() > 1 && text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string gradeName(std::string_view grade) {
  if (gradeCoefficient(grade) != 0) return std::string(grade) + "级";
  return "伤残等级“" + std::string(grade) + "”不在一至十级";
}

std::string dateText(int year, int month, int day) {
  const detail::Civil carried = detail::civilFromDays(dayNumber(year, month, day));
  std::string text = ymd(year, month, day);
  if (carried.year != year || carried.month != month || carried.day != day) {
    text += "（即" + ymd(carried.year, carried.month, carried.day) + "）";
  }
  return text;
}

std::string standardsName(const std::optional<StandardsRow>& row, std::string_view accidentYear) {
  if (!row) return "事故年份“" + std::string(accidentYear) + "”无统计标准（请升级），按 0 计";
  std::string name = std::string(row->accidentYear) + "年标准";
  if (row->fromFile) {
    name += "（标准文件";
    if (!row->source.empty()) name += "，来源：" + std::string(row->source);
    name += "）";
  }
  return name;
}

std::string standardsNameOr(std::string_view given, std::string_view accidentYear) {
  if (!given.empty()) return std::string(given);
  return standardsName(StandardsTable{}.find(accidentYear), accidentYear);
}

}  // namespace quorvane::detail
