#pragma once

// The working of each item of the claim sheet, in Chinese: the formula with
// the figures the sheet used, written beside the arithmetic in claim.cpp.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "claim.h"
#include "claim_input.h"

namespace quorvane::claim::detail {

// "13%", "13.25%": a percentage held in hundredths of a point.
[[nodiscard]] std::string percentText(std::int64_t hundredths);
// "30", "30.5": days or yuan held in hundredths, without trailing zeros.
[[nodiscard]] std::string plainText(std::int64_t hundredths);

class Working {
 public:
  explicit Working(const Facts& facts) : facts_(facts) {}

  // One year of support: the shares supported that year over denominator.
  void supportYear(int year, std::int64_t shares, std::int64_t denominator);
  // Writes every item's working and the payers' into the sheet.
  void finish(ClaimSheet& sheet, std::int64_t coefficient, int years) const;

 private:
  struct Run {
    int first = 0, last = 0;
    std::int64_t shares = 0;
  };
  const Facts& facts_;
  std::vector<Run> runs_;
  std::int64_t denominator_ = 1;
};

}  // namespace quorvane::claim::detail
