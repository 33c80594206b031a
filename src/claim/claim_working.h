#pragma once

// The working of each item of the claim sheet, in Chinese: the formula with
// the figures the sheet used, written beside the arithmetic in claim.cpp.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "claim.h"
#include "claim_input.h"

namespace quorvane::claim::detail {

// "13%", "13.25%": a percentage held in hundredths of a point.
[[nodiscard]] std::string percentText(std::int64_t hundredths);
// "30", "30.5": days or yuan held in hundredths, without trailing zeros.
[[nodiscard]] std::string plainText(std::int64_t hundredths);

// The compulsory insurers' heads, in Cover's order.
inline constexpr std::array<std::string_view, kHeadCount> kHeadNames{"医疗费用", "死亡伤残",
                                                                     "财产损失"};

// "车辆2" for index 1.
[[nodiscard]] std::string vehicleName(std::size_t v);
// Each vehicle taking part with its part of a head: "车辆1 18000.00，车辆2 18000.00".
[[nodiscard]] std::string vehicleParts(const Payers& payers, const HeadShare& head);
// The liability shares added up, "90%"; with several vehicles "90%（70% + 20%）".
[[nodiscard]] std::string sharesText(const Payers& payers);

class Working {
 public:
  explicit Working(const Facts& facts) : facts_(facts) {}

  // One year of support: the shares supported that year over denominator.
  void supportYear(int year, std::int64_t shares, std::int64_t denominator);
  // Writes every item's working into the sheet.
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
