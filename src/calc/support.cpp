#include <array>
#include <cmath>

#include "amounts.h"
#include "calc.h"
#include "working.h"

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

namespace {

// One dependant's share: p = years × coefficient in single precision, q = the
// base over the divisor, and their product.
struct Share {
  float p;
  double q;
  double amount;
};

Share shareOf(std::int16_t years, double divisor, float coefficient, std::int32_t supportBase) {
  // p is rounded to single precision before it is widened: that rounding shows
  // in the low digits of the result.
  const float p = static_cast<float>(years) * coefficient;
  const double q = static_cast<double>(supportBase) / divisor;
  return {p, q, static_cast<double>(p) * q};
}

std::string describeShare(std::string_view who, std::string_view ageText, std::int16_t years,
                          const Share& share, float coefficient, std::string_view grade,
                          std::int32_t supportBase, const std::string& divisorText,
                          const std::string& shown) {
  std::string text = std::string(who) + " ";
  text += ageText.empty() ? std::string("未录入") : detail::figure(ageText);
  text += "：扶养 " + std::to_string(years) + " 年";
  if (years == 0) return text + "，扶养费 = " + shown;
  text += "；p = " + std::to_string(years) + " × " + detail::nominalCoefficient(coefficient) +
          "（" + detail::gradeName(grade) + "）= " + formatAmount(static_cast<double>(share.p)) +
          "（单精度）；基数 " + std::to_string(supportBase) + " 元 ÷ " + divisorText + " = " +
          formatAmount(share.q) + "；" + formatAmount(static_cast<double>(share.p)) + " × " +
          formatAmount(share.q) + " = " + shown;
  return text;
}

}  // namespace

double dependantAmount(std::int16_t years, double divisor, float coefficient,
                       std::int32_t supportBase) {
  return shareOf(years, divisor, coefficient, supportBase).amount;
}

Status computeDependantsSupport(const CaseInput& in, std::int32_t supportBase, int parents,
                                float coefficient, CaseResult& result, CaseWorking* working,
                                std::string_view standardsName) {
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

  std::array<Share, 6> childShares{};
  std::array<Share, 4> elderShares{};
  for (std::size_t k = 0; k < children.size(); ++k) {
    childShares[k] = shareOf(childYearsRead[k], parents, coefficient, supportBase);
    if (auto status = detail::writeAmount(*childFields[k], childShares[k].amount);
        status != Status::ok) {
      return status;
    }
  }
  for (std::size_t k = 0; k < elders.size(); ++k) {
    elderShares[k] = shareOf(elderYearsRead[k], elderShareCount, coefficient, supportBase);
    if (auto status = detail::writeAmount(*elderFields[k], elderShares[k].amount);
        status != Status::ok) {
      return status;
    }
  }

  // The total adds what the ten fields show, not the unrounded amounts.
  double total = 0;
  for (const auto* field : childFields) total += numberValue(*field);
  for (const auto* field : elderFields) total += numberValue(*field);
  const Status status = detail::writeAmount(result.扶养费合计, total);

  if (working != nullptr && status == Status::ok) {
    const std::array childWorking{&working->扶养费孩子1, &working->扶养费孩子2,
                                  &working->扶养费孩子3, &working->扶养费孩子4,
                                  &working->扶养费孩子5, &working->扶养费孩子6};
    const std::array elderWorking{&working->扶养费老人1, &working->扶养费老人2,
                                  &working->扶养费老人3, &working->扶养费老人4};
    const std::string parentText =
        std::to_string(parents) + (parents == 2 ? "（夫妻共同扶养）" : "（单亲扶养）");
    const std::string shareText = formatAmount(elderShareCount) + "（兄弟姐妹 " +
                                  detail::figure(in.兄弟姐妹人数) + " 人加本人）";
    std::string sum;
    for (std::size_t k = 0; k < children.size(); ++k) {
      *childWorking[k] = describeShare("孩子" + std::to_string(k + 1) + "年龄", *children[k],
                                       childYearsRead[k], childShares[k], coefficient, in.伤残等级,
                                       supportBase, parentText, *childFields[k]);
      sum += (k == 0 ? "" : " + ") + *childFields[k];
    }
    for (std::size_t k = 0; k < elders.size(); ++k) {
      *elderWorking[k] = describeShare("老人" + std::to_string(k + 1) + "年龄", *elders[k],
                                       elderYearsRead[k], elderShares[k], coefficient, in.伤残等级,
                                       supportBase, shareText, *elderFields[k]);
      sum += " + " + *elderFields[k];
    }
    working->扶养费合计 = sum + " = " + result.扶养费合计 + "（" +
                          detail::standardsNameOr(standardsName, in.事故发生日年) + "：扶养基数 " +
                          std::to_string(supportBase) + " 元）";
  }
  return status;
}

}  // namespace quorvane
