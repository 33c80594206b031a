// Any texts for the 55 inputs give a claim sheet or one refusal, never a
// crash. On a sheet every amount is non-negative and the payers account for
// the whole total (交强险合计 + 责任方承担 + 受害人自担 = 合计); under each
// head the victim is paid at most its own items and each vehicle at most its
// own limit; the vehicles' parts add up to the totals; the court fee lies
// between half the flat fee and the flat fee or 2.5% of the claim; and asking
// for the working changes no figure. Half the texts are drawn from the words the
// inputs take, so that whole cases with several vehicles are reached.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "claim.h"
#include "claim_input.h"
#include "court_fee.h"

namespace {

using namespace quorvane;

void require(bool condition) {
  if (!condition) std::abort();
}

constexpr std::array<std::string_view, 26> kWords{
    "",     "有责", "无责", "无",  "完全", "大部分", "部分", "死亡",  "伤残",
    "夫妻", "单亲", "五",   "是",  "否",   "0",      "0.01", "1",     "12",
    "20",   "50",   "70",   "100", "1000", "2016",   "2017", "180000"};

std::string text(FuzzedDataProvider& provider) {
  if (provider.ConsumeBool()) return std::string(provider.PickValueInArray(kWords));
  return provider.ConsumeRandomLengthString(12);
}

claim::detail::Insurance insurance(std::string_view text) {
  if (text == "有责") return claim::detail::Insurance::liable;
  if (text == "无责") return claim::detail::Insurance::notLiable;
  return claim::detail::Insurance::none;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  CaseInput in;
  claim::ClaimInput claimInput;
  for (const auto& field : inputFields) in.*field.member = text(provider);
  for (const auto& field : claim::claimFields) claimInput.*field.member = text(provider);
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
  claim::Fen sum = 0;
  std::array<claim::Fen, claim::kHeadCount> own{};
  for (std::size_t k = 0; k < claim::kItemCount; ++k) {
    require(sheet.items[k] >= 0);
    sum += sheet.items[k];
    const auto head = static_cast<std::size_t>(claim::kItems[k].cover);
    if (head < claim::kHeadCount) own[head] += sheet.items[k];
  }
  require(sum == sheet.合计);
  const std::array<claim::Fen, claim::kHeadCount> paid{p.交强险医疗费用, p.交强险死亡伤残,
                                                       p.交强险财产损失};
  require(p.交强险合计 == paid[0] + paid[1] + paid[2]);
  require(p.交强险合计 + p.责任方承担 + p.受害人自担 == sheet.合计);
  require(p.商业三者险 + p.侵权人 == p.责任方承担);

  // A sheet was given, so the accident date and each 交强险 text are valid.
  const auto accident = claim::detail::realDate(
      std::stoi(in.事故发生日年), std::stoi(in.事故发生日月), std::stoi(in.事故发生日日));
  require(accident.has_value());
  const std::array<const std::string*, claim::kVehicleCount> insured{
      &claimInput.交强险, &claimInput.车辆2交强险, &claimInput.车辆3交强险};
  claim::Fen liable = 0, commercial = 0, tortfeasor = 0;
  for (std::size_t h = 0; h < claim::kHeadCount; ++h) {
    require(paid[h] >= 0 && paid[h] <= own[h]);
    claim::Fen parts = 0;
    for (std::size_t v = 0; v < claim::kVehicleCount; ++v) {
      const auto limits = claim::detail::insuranceLimits(*accident, insurance(*insured[v]));
      const auto part = p.heads[h].parts[v];
      require(part >= 0 && part <= limits.heads[h]);
      require(p.takesPart[v] || part == 0);
      parts += part;
    }
    require(parts == paid[h]);
  }
  for (std::size_t v = 0; v < claim::kVehicleCount; ++v) {
    const auto& vehicle = p.vehicles[v];
    require(vehicle.交强险赔付 == p.heads[0].parts[v] + p.heads[1].parts[v] + p.heads[2].parts[v]);
    require(vehicle.商业三者险 + vehicle.侵权人 == vehicle.责任方承担);
    require(p.takesPart[v] || vehicle.责任方承担 == 0);
    liable += vehicle.责任方承担, commercial += vehicle.商业三者险, tortfeasor += vehicle.侵权人;
  }
  require(liable == p.责任方承担 && commercial == p.商业三者险 && tortfeasor == p.侵权人);
  // The flat 50 yuan halved at least; at most 50 yuan, or 2.5% of the claim rounded up.
  const claim::Fen claimed = claim::claimedAmount(p);
  require(sheet.案件受理费 >= 2'500 &&
          sheet.案件受理费 <= std::max<claim::Fen>(5'000, (claimed * 25 + 999) / 1'000));
  for (std::size_t k = 1; k < texts.size(); ++k) require(!texts[k].empty() && texts[k][0] != '-');

  const auto explained = claim::computeClaim(in, claimInput, table, true);
  require(claim::columnTexts(explained) == texts);
  require(std::get<claim::ClaimSheet>(explained).itemWorking.size() == claim::kItemCount);
  for (const auto& working : std::get<claim::ClaimSheet>(explained).itemWorking) {
    require(!working.empty());
  }
  return 0;
}
