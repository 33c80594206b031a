#include "amounts.h"
#include "calc.h"
#include "calendar.h"
#include "working.h"

namespace quorvane {

using detail::daysFromCivil;
using detail::floorDiv;

std::int64_t dayNumber(int year, int month, int day) {
  const std::int64_t monthsFromJanuary = static_cast<std::int64_t>(month) - 1;
  const std::int64_t carriedYear = year + floorDiv(monthsFromJanuary, 12);
  const std::int64_t monthOfYear = monthsFromJanuary - floorDiv(monthsFromJanuary, 12) * 12 + 1;
  return daysFromCivil(carriedYear, monthOfYear, 1) + (day - 1);
}

std::int64_t ageAtAccident(std::int64_t birthDay, std::int64_t accidentDay) {
  // Leap days are deliberately ignored: the age counts whole blocks of 365 days.
  return (accidentDay - birthDay) / 365;
}

std::int64_t calendarAge(std::int64_t birthDay, std::int64_t accidentDay) {
  const detail::Civil birth = detail::civilFromDays(birthDay);
  const detail::Civil accident = detail::civilFromDays(accidentDay);
  const bool birthdayReached =
      accident.month != birth.month ? accident.month > birth.month : accident.day >= birth.day;
  return accident.year - birth.year - (birthdayReached ? 0 : 1);
}

int compensationYears(std::int64_t age) {
  if (age > 60) {
    if (age > 74) return 5;
    return static_cast<int>(80 - age);
  }
  return 20;
}

Status computeDisabilityCompensation(const CaseInput& in, std::int32_t urbanDisposableIncome,
                                     float coefficient, CaseResult& result, CaseWorking* working,
                                     std::string_view standardsName) {
  const auto by = wholeNumberValue(in.受害人生日年);
  const auto bm = wholeNumberValue(in.受害人生日月);
  const auto bd = wholeNumberValue(in.受害人生日日);
  if (!by || !bm || !bd) return Status::birthDateIncomplete;
  const auto ay = wholeNumberValue(in.事故发生日年);
  const auto am = wholeNumberValue(in.事故发生日月);
  const auto ad = wholeNumberValue(in.事故发生日日);
  if (!ay || !am || !ad) return Status::accidentDateIncomplete;

  const auto birth = dayNumber(*by, *bm, *bd);
  const auto accident = dayNumber(*ay, *am, *ad);
  const auto age = ageAtAccident(birth, accident);
  const auto describeAge = [&] {
    return "出生 " + detail::dateText(*by, *bm, *bd) + "，事故 " + detail::dateText(*ay, *am, *ad) +
           "，相隔 " + std::to_string(accident - birth) + " 天，按每 365 天计年龄 " +
           std::to_string(age) + " 岁";
  };
  if (age <= 0) {
    result.伤残赔偿金 = "0";
    if (working != nullptr) working->伤残赔偿金 = describeAge() + "，不足 1 岁：赔偿金为 0";
    return Status::ok;
  }
  // The whole-number product is exact (in 64 bits: a standards file may give
  // any income up to 2^31 − 1); so is its product with the widened
  // single-precision coefficient, which carries the coefficient's error digits.
  const int years = compensationYears(age);
  const std::int64_t incomeYears = std::int64_t{urbanDisposableIncome} * years;
  const double amount = static_cast<double>(incomeYears) * static_cast<double>(coefficient);
  const Status status = detail::writeAmount(result.伤残赔偿金, amount);
  if (working != nullptr && status == Status::ok) {
    working->伤残赔偿金 = std::to_string(urbanDisposableIncome) + " 元 × " + std::to_string(years) +
                          " 年 × " + detail::nominalCoefficient(coefficient) + "（" +
                          detail::gradeName(in.伤残等级) + "）= " + result.伤残赔偿金 + "\n" +
                          detail::standardsNameOr(standardsName, in.事故发生日年) +
                          "：城镇居民人均可支配收入 " + std::to_string(urbanDisposableIncome) +
                          " 元\n" + describeAge() + "，赔偿 " + std::to_string(years) +
                          " 年\n伤残系数以单精度计为 " + detail::exactCoefficient(coefficient);
    // The law counts age from birthday to birthday; where that gives other
    // years, the user is told, and judges.
    const auto lawAge = calendarAge(birth, accident);
    const int lawYears = lawAge > 0 ? compensationYears(lawAge) : 0;
    if (lawYears != years) {
      working->伤残赔偿金 +=
          "\n注意：按周岁计为 " + std::to_string(lawAge) + " 岁、" +
          (lawYears > 0 ? "赔偿 " + std::to_string(lawYears) + " 年" : "不予赔偿") +
          "；本计算按每 365 天计为 " + std::to_string(age) + " 岁、" + std::to_string(years) +
          " 年";
    }
  }
  return status;
}

}  // namespace quorvane
