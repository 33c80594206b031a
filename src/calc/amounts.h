#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "calc.h"

namespace quorvane::detail {

// Numbers beyond the double range have no amount text; a run that meets one,
// typed or computed, stops instead of writing a wrong figure.
inline Status readAmount(std::string_view text, double& value) {
  value = numberValue(text);
  return std::isfinite(value) ? Status::ok : Status::outOfRange;
}

inline Status writeAmount(std::string& field, double value) {
  if (!std::isfinite(value)) return Status::outOfRange;
  field = formatAmount(value);
  return Status::ok;
}

// The same, and the value the field's text reads back as.
inline Status writeAmount(std::string& field, double value, double& shown) {
  if (!std::isfinite(value)) return Status::outOfRange;
  field = formatAmount(value, shown);
  return Status::ok;
}

}  // namespace quorvane::detail
