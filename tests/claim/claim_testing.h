#pragma once

// What the claim sheet's tests share: a case with its claim inputs, its dates
// set in one line, and its sheet read by column name.

#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "claim.h"

namespace quorvane::claim::testing {

struct Case {
  CaseInput input;
  ClaimInput claim;
};

// One row of a table: a change to a case and the column text it gives.
struct Rule {
  const char* name;
  std::function<void(Case&)> change;
  const char* column;
  const char* expected;
};

// Table rows print as their names, so a failing row reads by its name in the log.
inline void PrintTo(const Rule& rule, std::ostream* out) {
  *out << rule.name;
}

inline void born(Case& c, const char* year, const char* month, const char* day) {
  c.input.受害人生日年 = year, c.input.受害人生日月 = month, c.input.受害人生日日 = day;
}

inline void accident(Case& c, const char* year, const char* month, const char* day) {
  c.input.事故发生日年 = year, c.input.事故发生日月 = month, c.input.事故发生日日 = day;
}

inline std::map<std::string, std::string> columns(const Case& c, const StandardsTable& table = {}) {
  const auto texts = columnTexts(computeClaim(c.input, c.claim, table));
  std::map<std::string, std::string> named;
  for (std::size_t k = 0; k < texts.size(); ++k) named[columnNames()[k]] = texts[k];
  return named;
}

// The first worked example: grade 十 with 3 extra points, a child and an elder,
// 交强险 with liability, 70% and a commercial policy.
inline Case workedExample() {
  Case c;
  auto& in = c.input;
  born(c, "1988", "8", "8");
  accident(c, "2011", "11", "11");
  in.伤残等级 = "十", in.夫妻或单亲 = "夫妻";
  in.人员1的护理天数 = "30", in.护理人员1的工资 = "100";
  in.住院天数 = "20", in.误工天数 = "90", in.最近三年日平均收入 = "200";
  in.孩子1年龄 = "4", in.老人1年龄 = "65", in.兄弟姐妹人数 = "2";
  in.交通费 = "1200", in.医疗费 = "35000.50", in.营养费 = "600";
  auto& claim = c.claim;
  claim.计算标准年度 = "2012", claim.伤残附加指数 = "3", claim.精神损害抚慰金 = "10000";
  claim.交强险 = "有责", claim.责任比例 = "70", claim.商业三者险限额 = "500000";
  return c;
}

// The later columns of a sheet with one vehicle and none of the later inputs:
// all 0.00 but vehicle 1's, which are the totals; the court fee, last, is the
// expected's own.
inline void addOneVehicle(std::map<std::string, std::string>& expected) {
  const auto& names = columnNames();
  for (std::size_t k = 1 + kFirstItems + 1 + 8; k + 1 < names.size(); ++k) {
    expected[names[k]] = "0.00";
  }
  expected["车辆1交强险赔付"] = expected["交强险合计"];
  for (const char* payer : {"责任方承担", "商业三者险", "侵权人"}) {
    expected["车辆1" + std::string(payer)] = expected[payer];
  }
}

}  // namespace quorvane::claim::testing
