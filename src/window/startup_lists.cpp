#include <algorithm>

#include "catalogue.h"

namespace quorvane::window {
namespace {

std::vector<std::string> numbers(int from, int to) {
  std::vector<std::string> items;
  const int step = from <= to ? 1 : -1;
  for (int n = from; n != to + step; n += step) items.push_back(std::to_string(n));
  return items;
}

std::vector<std::string> accidentYears(int year, const StandardsTable& standards) {
  std::vector<std::string> years = numbers(year, year - 1);
  std::vector<std::string> added;
  for (const auto& row : standards.rows()) {
    const std::string text(row.accidentYear);
    if (row.fromFile && std::find(years.begin(), years.end(), text) == years.end()) {
      added.push_back(text);
    }
  }
  std::sort(added.rbegin(), added.rend());
  years.insert(years.end(), added.begin(), added.end());
  return years;
}

}  // namespace

std::vector<StartupList> startupLists(int year, const StandardsTable& standards) {
  // Outside 2011 and 2012 "2011" is not offered, and the accident year stays
  // unpicked: a calculation then asks for the date instead of using a wrong year.
  return {
      {"夫妻或单亲", {"单亲", "夫妻"}, "夫妻"},
      {"伤残等级", {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}, "一"},
      {"受害人生日年", numbers(year, 1920), "1988"},
      {"受害人生日月", numbers(1, 12), "8"},
      {"受害人生日日", numbers(1, 31), "8"},
      {"事故发生日年", accidentYears(year, standards), "2011"},
      {"事故发生日月", numbers(1, 12), "11"},
      {"事故发生日日", numbers(1, 31), "11"},
  };
}

}  // namespace quorvane::window
