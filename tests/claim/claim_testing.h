#pragma once

// What the claim sheet's tests share: a case with its claim inputs, its dates
// set in one line, and its sheet read by column name.

#include <functional>
#include <map>
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

// The later columns of a sheet with one vehicle and none of the later inputs:
// all 0.00 but vehicle 1's, which are the totals.
inline void addOneVehicle(std::map<std::string, std::string>& expected) {
  const auto& names = columnNames();
  for (std::size_t k = 1 + kFirstItems + 1 + 8; k < names.size(); ++k) expected[names[k]] = "0.00";
  expected["车辆1交强险赔付"] = expected["交强险合计"];
  for (const char* payer : {"责任方承担", "商业三者险", "侵权人"}) {
    expected["车辆1" + std::string(payer)] = expected[payer];
  }
}

}  // namespace quorvane::claim::testing
