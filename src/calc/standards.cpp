#include <algorithm>

#include "calc.h"

namespace quorvane {

bool StandardsTable::add(std::string accidentYear, Standards values, std::string source) {
  if (find(accidentYear)) return false;
  added_.push_back({std::move(accidentYear), values, std::move(source)});
  return true;
}

std::optional<StandardsRow> StandardsTable::find(std::string_view accidentYear) const {
  for (const auto& row : builtInStandards) {
    if (row.accidentYear == accidentYear) return row;
  }
  for (const auto& row : added_) {
    if (row.accidentYear == accidentYear)
      return StandardsRow{row.accidentYear, row.values, row.source, true};
  }
  return std::nullopt;
}

std::vector<StandardsRow> StandardsTable::rows() const {
  std::vector<StandardsRow> all(builtInStandards.begin(), builtInStandards.end());
  for (const auto& row : added_) all.push_back({row.accidentYear, row.values, row.source, true});
  return all;
}

std::optional<Standards> standardsFor(std::string_view accidentYear, const StandardsTable& table) {
  if (const auto row = table.find(accidentYear)) return row->values;
  return std::nullopt;
}

}  // namespace quorvane
