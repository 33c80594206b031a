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

}  // namespace quorvane::claim::testing
