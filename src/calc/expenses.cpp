#include <array>

#include "amounts.h"
#include "calc.h"

namespace quorvane {
namespace {

// One item: rate × quantity, both read from the case (or a fixed rate), written
// as the field's text.
Status product(double rate, std::string_view quantityText, std::string& field) {
  double quantity = 0;
  if (auto status = detail::readAmount(quantityText, quantity); status != Status::ok) {
    return status;
  }
  return detail::writeAmount(field, rate * quantity);
}

Status product(std::string_view rateText, std::string_view quantityText, std::string& field) {
  double rate = 0;
  if (auto status = detail::readAmount(rateText, rate); status != Status::ok) return status;
  return product(rate, quantityText, field);
}

}  // namespace

Status computeExpenseItems(const CaseInput& in, const Standards& standards, CaseResult& result) {
  Status status = product(in.护理人员1的工资, in.人员1的护理天数, result.人员1的护理费);
  if (status == Status::ok)
    status = product(in.护理人员2的工资, in.人员2的护理天数, result.人员2的护理费);
  if (status == Status::ok) {
    status = product(standards.mealAllowancePerDay, in.住院天数, result.住院伙食补助);
  }
  if (status == Status::ok) status = product(in.最近三年日平均收入, in.误工天数, result.误工费);
  if (status == Status::ok) {
    status = product(standards.lodgingAllowancePerDay, in.住宿天数, result.住宿费);
  }
  return status;
}

Status passThroughCosts(const CaseInput& in, CaseResult& result) {
  const std::array<std::pair<const std::string*, std::string*>, 4> costs{{
      {&in.交通费, &result.计算交通费},
      {&in.医疗费, &result.计算医疗费},
      {&in.营养费, &result.计算营养费},
      {&in.残疾辅助器具, &result.计算残疾辅助器具},
  }};
  for (const auto& [input, output] : costs) {
    if (auto status = product(1.0, *input, *output); status != Status::ok) return status;
  }
  return Status::ok;
}

Status computeGrandTotal(CaseResult& result) {
  // The dependants enter only through their total; each summand is a text the
  // user sees, read back.
  const std::array summands{&result.伤残赔偿金, &result.人员1的护理费,   &result.人员2的护理费,
                            &result.扶养费合计, &result.住院伙食补助,    &result.误工费,
                            &result.住宿费,     &result.计算交通费,      &result.计算医疗费,
                            &result.计算营养费, &result.计算残疾辅助器具};
  double total = 0;
  for (const auto* field : summands) {
    double value = 0;
    if (auto status = detail::readAmount(*field, value); status != Status::ok) return status;
    total += value;
  }
  return detail::writeAmount(result.合计, total);
}

}  // namespace quorvane
