#include <array>
#include <tuple>

#include "amounts.h"
#include "calc.h"
#include "working.h"

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

Status computeExpenseItems(const CaseInput& in, const Standards& standards, CaseResult& result,
                           CaseWorking* working, std::string_view standardsName) {
  Status status = product(in.护理人员1的工资, in.人员1的护理天数, result.人员1的护理费);
  if (status == Status::ok) {
    status = product(in.护理人员2的工资, in.人员2的护理天数, result.人员2的护理费);
  }
  if (status == Status::ok) {
    status = product(standards.mealAllowancePerDay, in.住院天数, result.住院伙食补助);
  }
  if (status == Status::ok) status = product(in.最近三年日平均收入, in.误工天数, result.误工费);
  if (status == Status::ok) {
    status = product(standards.lodgingAllowancePerDay, in.住宿天数, result.住宿费);
  }
  if (working != nullptr && status == Status::ok) {
    using detail::figure;
    const std::string standardsNote =
        "（" + detail::standardsNameOr(standardsName, in.事故发生日年) + "）";
    working->人员1的护理费 = "护理人员1的工资 " + figure(in.护理人员1的工资) +
                             " 元/天 × 人员1的护理天数 " + figure(in.人员1的护理天数) +
                             " 天 = " + result.人员1的护理费;
    working->人员2的护理费 = "护理人员2的工资 " + figure(in.护理人员2的工资) +
                             " 元/天 × 人员2的护理天数 " + figure(in.人员2的护理天数) +
                             " 天 = " + result.人员2的护理费;
    working->住院伙食补助 = "住院伙食补助标准 " + std::to_string(standards.mealAllowancePerDay) +
                            " 元/天" + standardsNote + " × 住院天数 " + figure(in.住院天数) +
                            " 天 = " + result.住院伙食补助;
    working->误工费 = "最近三年日平均收入 " + figure(in.最近三年日平均收入) + " 元/天 × 误工天数 " +
                      figure(in.误工天数) + " 天 = " + result.误工费;
    working->住宿费 = "住宿费标准 " + std::to_string(standards.lodgingAllowancePerDay) + " 元/天" +
                      standardsNote + " × 住宿天数 " + figure(in.住宿天数) +
                      " 天 = " + result.住宿费;
  }
  return status;
}

Status passThroughCosts(const CaseInput& in, CaseResult& result, CaseWorking* working) {
  const std::array<std::tuple<const std::string*, std::string*, std::string_view>, 4> costs{{
      {&in.交通费, &result.计算交通费, "交通费"},
      {&in.医疗费, &result.计算医疗费, "医疗费"},
      {&in.营养费, &result.计算营养费, "营养费"},
      {&in.残疾辅助器具, &result.计算残疾辅助器具, "残疾辅助器具"},
  }};
  for (const auto& [input, output, name] : costs) {
    if (auto status = product(1.0, *input, *output); status != Status::ok) return status;
  }
  if (working != nullptr) {
    const std::array targets{&working->计算交通费, &working->计算医疗费, &working->计算营养费,
                             &working->计算残疾辅助器具};
    for (std::size_t k = 0; k < costs.size(); ++k) {
      const auto& [input, output, name] = costs[k];
      *targets[k] =
          "已发生的" + std::string(name) + "，照录：" + detail::figure(*input) + " = " + *output;
    }
  }
  return Status::ok;
}

Status computeGrandTotal(CaseResult& result, CaseWorking* working) {
  // The dependants enter only through their total; each summand is a text the
  // user sees, read back.
  const std::array<std::pair<std::string_view, const std::string*>, 11> summands{{
      {"伤残赔偿金", &result.伤残赔偿金},
      {"人员1的护理费", &result.人员1的护理费},
      {"人员2的护理费", &result.人员2的护理费},
      {"扶养费合计", &result.扶养费合计},
      {"住院伙食补助", &result.住院伙食补助},
      {"误工费", &result.误工费},
      {"住宿费", &result.住宿费},
      {"计算交通费", &result.计算交通费},
      {"计算医疗费", &result.计算医疗费},
      {"计算营养费", &result.计算营养费},
      {"计算残疾辅助器具", &result.计算残疾辅助器具},
  }};
  double total = 0;
  for (const auto& [name, field] : summands) {
    double value = 0;
    if (auto status = detail::readAmount(*field, value); status != Status::ok) return status;
    total += value;
  }
  const Status status = detail::writeAmount(result.合计, total);
  if (working != nullptr && status == Status::ok) {
    std::string sum;
    for (const auto& [name, field] : summands) {
      sum += (sum.empty() ? "" : " + ") + std::string(name) + " " + *field;
    }
    working->合计 = sum + " = " + result.合计;
  }
  return status;
}

}  // namespace quorvane
