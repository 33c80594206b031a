#include <array>
#include <utility>

#include "calc.h"
#include "working.h"

namespace quorvane {

std::string_view messageFor(Status status) {
  switch (status) {
    case Status::birthDateIncomplete:
      return messages::birthDateIncomplete;
    case Status::accidentDateIncomplete:
      return messages::accidentDateIncomplete;
    case Status::siblingsMinusOne:
      return messages::siblingsMinusOne;
    case Status::outOfRange:
      return messages::outOfRange;
    case Status::ok:
      break;
  }
  return {};
}

int parentCount(std::string_view coupleOrSingle) {
  return coupleOrSingle == "夫妻" ? 2 : 1;
}

float gradeCoefficient(std::string_view grade) {
  static constexpr std::array<std::pair<std::string_view, float>, 10> grades{{
      {"一", 1.0f},
      {"二", 0.9f},
      {"三", 0.8f},
      {"四", 0.7f},
      {"五", 0.6f},
      {"六", 0.5f},
      {"七", 0.4f},
      {"八", 0.3f},
      {"九", 0.2f},
      {"十", 0.1f},
  }};
  for (const auto& [text, coefficient] : grades) {
    if (text == grade) return coefficient;
  }
  return 0.0f;
}

RunOutcome runCalculation(const CaseInput& in, CaseWorking* working) {
  return runCalculation(in, StandardsTable{}, working);
}

RunOutcome runCalculation(const CaseInput& in, const StandardsTable& table, CaseWorking* working) {
  if (in.受害人生日年.empty() || in.受害人生日月.empty() || in.受害人生日日.empty()) {
    return CalcStop{std::string(messages::birthDateIncomplete), std::nullopt};
  }
  if (in.事故发生日年.empty() || in.事故发生日月.empty() || in.事故发生日日.empty()) {
    return CalcStop{std::string(messages::accidentDateIncomplete), std::nullopt};
  }

  std::optional<std::string> notice;
  const auto row = table.find(in.事故发生日年);
  if (!row) notice = std::string(messages::yearNotCovered);
  const Standards standards = row ? row->values : Standards{};
  // How the working names the row; made only when the working is asked for.
  const std::string rowName =
      working != nullptr ? detail::standardsName(row, in.事故发生日年) : std::string();
  const int parents = parentCount(in.夫妻或单亲);
  const float coefficient = gradeCoefficient(in.伤残等级);

  // Built in place: the 22 texts are written once and never moved.
  RunOutcome outcome{std::in_place_type<CalcCompleted>};
  auto& completed = std::get<CalcCompleted>(outcome);
  CaseResult& result = completed.result;
  Status status = computeDisabilityCompensation(in, standards.urbanDisposableIncome, coefficient,
                                                result, working, rowName);
  if (status == Status::ok) status = computeExpenseItems(in, standards, result, working, rowName);
  if (status == Status::ok) {
    status = computeDependantsSupport(in, standards.supportBase, parents, coefficient, result,
                                      working, rowName);
  }
  if (status == Status::ok) status = passThroughCosts(in, result, working);
  if (status == Status::ok) status = computeGrandTotal(result, working);

  if (status != Status::ok) {
    if (working != nullptr) *working = CaseWorking{};  // a stopped run explains nothing
    return CalcStop{std::string(messageFor(status)), std::move(notice)};
  }
  completed.notice = std::move(notice);
  return outcome;
}

}  // namespace quorvane
