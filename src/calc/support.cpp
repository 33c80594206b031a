#include <array>
#include <cmath>

#include "amounts.h"
#include "calc.h"

namespace quorvane {
namespace {

// Halves go to the even neighbour (the default rounding mode).
std::int16_t roundedYears(double years) {
  return static_cast<std::int16_t>(std::nearbyint(years));
}

std::int16_t childYears(double age) {
  if (age > 0 && age <= 18) return roundedYears(18 - age);
  return 0;  // an age of 0 is no child
}

std::int16_t elderYears(double age) {
  if (age > 18 && age <= 60) return 20;
  if (age > 60 && age <= 75) return roundedYears(20 - (age - 60));
  if (age > 75) return 5;
  return 0;
}

// The years of every dependant, read once; an age beyond the double range stops the run.
template <std::size_t N>
Status yearsOf(const std::array<const std::string*, N>& ages, std::int16_t (*rule)(double),
               std::array<std::int16_t, N>& years) {
  for (std::size_t k = 0; k < N; ++k) {
    years[k] = 0;
    if (ages[k]->empty()) continue;
    double age = 0;
    if (auto status = detail::readAmount(*ages[k], age); status != Status::ok) return status;
    years[k] = rule(age);
  }
  return Status::ok;
}

}  // namespace

std::int16_t childSupportYears(std::string_view ageText) {
  return ageText.empty() ? std::int16_t{0} : childYears(numberValue(ageText));
}

std::int16_t elderSupportYears(std::string_view ageText) {
  return ageText.empty() ? std::int16_t{0} : elderYears(numberValue(ageText));
}

double dependantAmount(std::int16_t years, double divisor, float coefficient,
                       std::int32_t supportBase) {
  // p is rounded to single precision before it is widened: that rounding shows
  // in the low digits of the result.
  const float p = static_cast<float>(years) * coefficient;
  const double q = static_cast<double>(supportBase) / divisor;
  return static_cast<double>(p) * q;
}

Status computeDependantsSupport(const CaseInput& in, std::int32_t supportBase, int parents,
                                float coefficient, CaseResult& result) {
  const std::array children{&in.孩子1年龄, &in.孩子2年龄, &in.孩子3年龄,
                            &in.孩子4年龄, &in.孩子5年龄, &in.孩子6年龄};
  const std::array elders{&in.老人1年龄, &in.老人2年龄, &in.老人3年龄, &in.老人4年龄};
  const std::array childFields{&result.扶养费孩子1, &result.扶养费孩子2, &result.扶养费孩子3,
                               &result.扶养费孩子4, &result.扶养费孩子5, &result.扶养费孩子6};
  const std::array elderFields{&result.扶养费老人1, &result.扶养费老人2, &result.扶养费老人3,
                               &result.扶养费老人4};

  std::array<std::int16_t, 6> childYearsRead{};
  std::array<std::int16_t, 4> elderYearsRead{};
  if (auto status = yearsOf(children, childYears, childYearsRead); status != Status::ok) {
    return status;
  }
  if (auto status = yearsOf(elders, elderYears, elderYearsRead); status != Status::ok) {
    return status;
  }
  double siblings = 0;
  if (auto status = detail::readAmount(in.兄弟姐妹人数, siblings); status != Status::ok) {
    return status;
  }
  // The victim shares each elder's support with the brothers and sisters.
  const double elderShareCount = siblings + 1.0;
  if (elderShareCount == 0) return Status::siblingsMinusOne;

  for (std::size_t k = 0; k < children.size(); ++k) {
    const double amount = dependantAmount(childYearsRead[k], parents, coefficient, supportBase);
    if (auto status = detail::writeAmount(*childFields[k], amount); status != Status::ok) {
      return status;
    }
  }
  for (std::size_t k = 0; k < elders.size(); ++k) {
    const double amount =
        dependantAmount(elderYearsRead[k], elderShareCount, coefficient, supportBase);
    if (auto status = detail::writeAmount(*elderFields[k], amount); status != Status::ok) {
      return status;
    }
  }

  // The total adds what the ten fields show, not the unrounded amounts.
  double total = 0;
  for (const auto* field : childFields) total += numberValue(*field);
  for (const auto* field : elderFields) total += numberValue(*field);
  return detail::writeAmount(result.扶养费合计, total);
}

}  // namespace quorvane
