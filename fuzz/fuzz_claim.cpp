// Any texts for the 39 inputs give a claim sheet or one refusal, never a
// crash. On a sheet every amount is non-negative, the payers account for the
// whole total (交强险合计 + 责任方承担 + 受害人自担 = 合计, 商业三者险 + 侵权人 =
// 责任方承担), each limit pays at most its own items, and asking for the
// working changes no figure.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <variant>

#include "claim.h"

namespace {

using namespace quorvane;

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  CaseInput in;
  claim::ClaimInput claimInput;
  for (const auto& field : inputFields) in.*field.member = provider.ConsumeRandomLengthString(12);
  for (const auto& field : claim::claimFields) {
    claimInput.*field.member = provider.ConsumeRandomLengthString(12);
  }
  StandardsTable table;
  Standards withWage{52859, 36642, 100, 50};
  withWage.averageWage = 85038;
  table.add("2016", withWage, "");
  table.add("2017", {57275, 38256, 50, 50}, "");

  const auto outcome = claim::computeClaim(in, claimInput, table);
  const auto texts = claim::columnTexts(outcome);
  require(texts.size() == claim::columnNames().size());
  if (const auto* refusal = std::get_if<claim::ClaimRefusal>(&outcome)) {
    require(!refusal->message.empty());
    for (std::size_t k = 1; k < texts.size(); ++k) require(texts[k].empty());
    return 0;
  }
  const auto& sheet = std::get<claim::ClaimSheet>(outcome);
  const auto& p = sheet.payers;
  claim::Fen sum = 0, medical = 0;
  for (std::size_t k = 0; k < claim::kItemCount; ++k) {
    require(sheet.items[k] >= 0);
    sum += sheet.items[k];
    if (claim::kItems[k].cover == claim::Cover::medical) medical += sheet.items[k];
  }
  require(sum == sheet.合计);
  require(p.交强险医疗费用 >= 0 && p.交强险医疗费用 <= medical);
  require(p.交强险死亡伤残 >= 0 && p.交强险死亡伤残 <= sheet.合计 - medical);
  require(p.交强险合计 + p.责任方承担 + p.受害人自担 == sheet.合计);
  require(p.商业三者险 + p.侵权人 == p.责任方承担);
  require(p.责任方承担 >= 0 && p.受害人自担 >= 0 && p.商业三者险 >= 0 && p.侵权人 >= 0);
  for (std::size_t k = 1; k < texts.size(); ++k) require(!texts[k].empty() && texts[k][0] != '-');

  const auto explained = claim::computeClaim(in, claimInput, table, true);
  require(claim::columnTexts(explained) == texts);
  require(std::get<claim::ClaimSheet>(explained).itemWorking.size() == claim::kItemCount);
  for (const auto& working : std::get<claim::ClaimSheet>(explained).itemWorking) {
    require(!working.empty());
  }
  return 0;
}
