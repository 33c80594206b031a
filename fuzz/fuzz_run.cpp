// Any 31 texts through a whole run: it ends in a stop with one of the system's
// messages, or in 22 texts that each read back as a finite number, with each
// total equal to the sum of what its summands show. Asking for the working
// changes no figure, and every completed amount has one.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <variant>

#include "calc.h"

namespace {

using namespace quorvane;

void require(bool condition) {
  if (!condition) std::abort();
}

double shown(const std::string& text) {
  const double value = numberValue(text);
  require(std::isfinite(value));
  require(formatAmount(value) == text);  // every result is an amount text already
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  CaseInput in;
  for (const auto& field : inputFields) in.*field.member = provider.ConsumeRandomLengthString(24);

  const auto outcome = runCalculation(in);
  const auto& notice = std::visit(
      [](const auto& o) -> const auto& { return o.notice; }, outcome);
  require(!notice || *notice == messages::yearNotCovered);

  if (const auto* stop = std::get_if<CalcStop>(&outcome)) {
    CaseWorking working;
    const auto explained = runCalculation(in, &working);
    require(std::holds_alternative<CalcStop>(explained));
    for (const auto& field : resultFields) require((working.*field.member).empty());
    const std::array known{messages::birthDateIncomplete, messages::accidentDateIncomplete,
                           messages::siblingsMinusOne, messages::outOfRange};
    bool found = false;
    for (auto message : known) found = found || stop->message == message;
    require(found);
    return 0;
  }

  const auto& r = std::get<CalcCompleted>(outcome).result;
  require(notice.has_value() == !standardsFor(in.事故发生日年).has_value());
  for (const auto& field : resultFields) shown(r.*field.member);

  CaseWorking working;
  const auto explained = runCalculation(in, &working);
  const auto* again = std::get_if<CalcCompleted>(&explained);
  require(again != nullptr);
  for (const auto& field : resultFields) {
    require(again->result.*field.member == r.*field.member);
    require(!(working.*field.member).empty());
  }

  double support = 0;
  for (const auto* field :
       {&r.扶养费孩子1, &r.扶养费孩子2, &r.扶养费孩子3, &r.扶养费孩子4, &r.扶养费孩子5,
        &r.扶养费孩子6, &r.扶养费老人1, &r.扶养费老人2, &r.扶养费老人3, &r.扶养费老人4}) {
    support += shown(*field);
  }
  require(formatAmount(support) == r.扶养费合计);

  double total = 0;
  for (const auto* field :
       {&r.伤残赔偿金, &r.人员1的护理费, &r.人员2的护理费, &r.扶养费合计, &r.住院伙食补助,
        &r.误工费, &r.住宿费, &r.计算交通费, &r.计算医疗费, &r.计算营养费, &r.计算残疾辅助器具}) {
    total += shown(*field);
  }
  require(formatAmount(total) == r.合计);
  return 0;
}
