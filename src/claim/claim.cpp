#include "claim.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "claim_input.h"
#include "claim_working.h"
#include "court_fee.h"

namespace quorvane::claim {
namespace {

using detail::Facts;
using detail::Insurance;
// Products of amounts, days and percentages reach past 64 bits before they are divided.
__extension__ typedef __int128 Wide;

// numerator / denominator to the nearest fen, halves up; both non-negative.
[[gnu::always_inline]] inline Fen rounded(Wide numerator, Wide denominator) {
  const Wide twice = 2 * numerator + denominator;
  // Most figures fit 64 bits, where division is a single instruction.
  if (twice <= INT64_MAX && 2 * denominator <= INT64_MAX) {
    return static_cast<std::int64_t>(twice) / static_cast<std::int64_t>(2 * denominator);
  }
  return static_cast<Fen>(twice / (2 * denominator));
}

// Compensation years by age in whole years: 20 up to 60, one fewer a year
// after, and 5 from 75.
int yearsForAge(int age) {
  if (age <= 60) return 20;
  if (age < 75) return 80 - age;
  return 5;
}

// The grade's percentage with the extra index, in hundredths of a point, at
// most 100%; no grade has none, and no extra index either. A death counts in
// full.
std::int64_t coefficient(const Facts& facts) {
  if (facts.death) return 10'000;
  if (facts.grade == 0) return 0;
  return std::min<std::int64_t>((11 - facts.grade) * 1'000 + facts.extra, 10'000);
}

// Support over the years: each year the consumption figure times the
// coefficient times the shares of the dependants still supported that year,
// never more than the consumption figure itself. Shares are counted over a
// common denominator: a child's is 1/parentCount, an elder's 1/(siblings + 1).
Fen support(const Facts& facts, std::int64_t coefficientHundredths, detail::Working* working) {
  const std::int64_t denominator = 2 * (facts.siblings + 1);
  const std::int64_t childShare = denominator / facts.parentCount;
  const std::int64_t elderShare = 2;
  // How the shares change from one year to the next: a dependant's share
  // counts from year 1 through its last year.
  std::array<std::int64_t, 22> change{};
  int longest = 0;
  const auto supported = [&](int years, std::int64_t share) {
    if (years <= 0) return;
    change[1] += share;
    change[static_cast<std::size_t>(years) + 1] -= share;
    longest = std::max(longest, years);
  };
  for (auto years : facts.childYears) supported(years, childShare);
  for (auto years : facts.elderYears) supported(years, elderShare);
  const std::int64_t whole = 10'000 * denominator;  // a coefficient times shares of 100%
  // Year by year, the yearly amount weighted by how many years in a row it holds.
  std::int64_t weighted = 0;
  std::int64_t shares = 0;
  for (int year = 1; year <= longest; ++year) {
    shares += change[static_cast<std::size_t>(year)];
    weighted += std::min(coefficientHundredths * shares, whole);
    if (working) working->supportYear(year, shares, denominator);
  }
  return rounded(static_cast<Wide>(facts.row.values.supportBase) * weighted * 100, whole);
}

// Whole fen shared in proportion to weights: each part its exact share
// rounded down, then the fen left over one each to the largest remainders,
// the earlier vehicle first on a tie. The parts add up to the amount, and a
// weight of 0 gets nothing: rounding each part, or giving the last what is
// left, can pay a fen too many or leave a part negative.
std::array<Fen, kVehicleCount> split(Fen amount,
                                     const std::array<std::int64_t, kVehicleCount>& weights) {
  std::array<Fen, kVehicleCount> parts{};
  // Weights are at most a few hundred thousand yuan in fen, so their sum fits.
  const std::int64_t total = std::accumulate(weights.begin(), weights.end(), std::int64_t{0});
  if (amount == 0 || total == 0) return parts;
  // One vehicle alone (most cases) takes the whole amount, with no division.
  for (std::size_t v = 0; v < kVehicleCount; ++v) {
    if (weights[v] == total) {
      parts[v] = amount;
      return parts;
    }
  }
  std::array<std::int64_t, kVehicleCount> remainders{};
  Fen left = amount;
  for (std::size_t v = 0; v < kVehicleCount; ++v) {
    const Wide exact = static_cast<Wide>(amount) * weights[v];
    parts[v] = static_cast<Fen>(exact / total);
    remainders[v] = static_cast<std::int64_t>(exact % total);
    left -= parts[v];
  }
  for (; left > 0; --left) {
    std::size_t largest = 0;
    for (std::size_t v = 1; v < kVehicleCount; ++v) {
      if (remainders[v] > remainders[largest]) largest = v;
    }
    ++parts[largest];
    remainders[largest] = -1;
  }
  return parts;
}

Payers pay(const Facts& facts, const std::array<Fen, kItemCount>& items, Fen total) {
  Payers payers;
  auto& heads = payers.heads;
  for (std::size_t k = 0; k < kItemCount; ++k) {
    const auto cover = static_cast<std::size_t>(kItems[k].cover);
    if (cover < kHeadCount) heads[cover].own += items[k];
  }
  std::array<detail::InsuranceLimits, kVehicleCount> limits{};
  std::array<std::int64_t, kVehicleCount> shares{};
  for (std::size_t v = 0; v < kVehicleCount; ++v) {
    const auto& vehicle = facts.vehicles[v];
    payers.takesPart[v] = vehicle.takesPart;
    if (!vehicle.takesPart) continue;
    limits[v] = detail::insuranceLimits(facts.accident, vehicle.insurance);
    shares[v] = vehicle.share;
  }
  // Each head: this victim's part of the vehicles' limits added up, in
  // proportion to the victims' losses when they are more than the limits;
  // then the vehicles share it in proportion to their own limits.
  for (std::size_t h = 0; h < kHeadCount; ++h) {
    auto& head = heads[h];
    head.others = facts.others[h];
    std::array<std::int64_t, kVehicleCount> weights{};
    for (std::size_t v = 0; v < kVehicleCount; ++v) weights[v] = limits[v].heads[h];
    head.limit = std::accumulate(weights.begin(), weights.end(), Fen{0});
    const Fen losses = head.own + head.others;
    if (head.limit == 0) {
      head.paid = 0;
    } else if (losses <= head.limit) {
      head.paid = head.own;
    } else {
      head.paid = rounded(static_cast<Wide>(head.limit) * head.own, losses);
    }
    head.parts = split(head.paid, weights);
    for (std::size_t v = 0; v < kVehicleCount; ++v) {
      payers.vehicles[v].交强险赔付 += head.parts[v];
    }
  }
  payers.交强险医疗费用 = heads[static_cast<std::size_t>(Cover::medical)].paid;
  payers.交强险死亡伤残 = heads[static_cast<std::size_t>(Cover::deathAndDisability)].paid;
  payers.交强险财产损失 = heads[static_cast<std::size_t>(Cover::property)].paid;
  payers.交强险合计 = payers.交强险医疗费用 + payers.交强险死亡伤残 + payers.交强险财产损失;
  payers.剩余损失 = total - payers.交强险合计;
  const std::int64_t share = std::accumulate(shares.begin(), shares.end(), std::int64_t{0});
  payers.责任方承担 = rounded(static_cast<Wide>(payers.剩余损失) * share, 10'000);
  payers.受害人自担 = payers.剩余损失 - payers.责任方承担;
  const auto parts = split(payers.责任方承担, shares);
  for (std::size_t v = 0; v < kVehicleCount; ++v) {
    auto& vehicle = payers.vehicles[v];
    vehicle.share = shares[v];
    vehicle.commercialLimit = facts.vehicles[v].commercialLimit;
    vehicle.责任方承担 = parts[v];
    vehicle.商业三者险 = std::min(parts[v], facts.vehicles[v].commercialLimit);
    vehicle.侵权人 = parts[v] - vehicle.商业三者险;
    payers.商业三者险 += vehicle.商业三者险;
    payers.侵权人 += vehicle.侵权人;
  }
  return payers;
}

}  // namespace

bool anySet(const ClaimInput& input) {
  return std::any_of(claimFields.begin(), claimFields.end(),
                     [&](const auto& field) { return !(input.*field.member).empty(); });
}

ClaimOutcome computeClaim(const CaseInput& input, const ClaimInput& claim,
                          const StandardsTable& standards, bool withWorking) {
  Facts facts;
  if (auto refusal = detail::readFacts(input, claim, standards, facts)) return std::move(*refusal);

  // Built where it is returned: a sheet is a few hundred bytes.
  ClaimOutcome outcome{std::in_place_type<ClaimSheet>};
  auto& sheet = std::get<ClaimSheet>(outcome);
  std::optional<detail::Working> working;
  if (withWorking) working.emplace(facts);
  auto& items = sheet.items;
  const Standards& row = facts.row.values;
  const std::int64_t coefficientHundredths = coefficient(facts);
  const int years = yearsForAge(facts.age);
  if (facts.death) {
    items[死亡赔偿金] = static_cast<Fen>(row.urbanDisposableIncome) * years * 100;
    // Six of twelve months' wages.
    items[丧葬费] = static_cast<Fen>(*row.averageWage) * 50;
  } else {
    items[残疾赔偿金] =
        rounded(static_cast<Wide>(row.urbanDisposableIncome) * years * coefficientHundredths, 100);
  }
  items[护理费] = rounded(static_cast<Wide>(facts.carerWage[0]) * facts.carerDays[0] +
                              static_cast<Wide>(facts.carerWage[1]) * facts.carerDays[1],
                          100);
  items[住院伙食补助费] = static_cast<Fen>(row.mealAllowancePerDay) * facts.hospitalDays;
  items[误工费] = rounded(static_cast<Wide>(facts.dailyIncome) * facts.lostDays, 100);
  items[住宿费] = static_cast<Fen>(row.lodgingAllowancePerDay) * facts.lodgingDays;
  items[被扶养人生活费] = support(facts, coefficientHundredths, working ? &*working : nullptr);
  items[交通费] = facts.transport;
  items[医疗费] = facts.medical;
  items[营养费] = facts.nutrition;
  items[残疾辅助器具费] = facts.aids;
  items[精神损害抚慰金] = facts.solace;
  // The daily rate × 365 × years × the dependency's share.
  items[后续护理费] = rounded(
      static_cast<Wide>(facts.laterCareWage) * 365 * facts.laterCareYears * facts.laterCareShare,
      1'000'000);
  items[后续治疗费] = facts.laterTreatment;
  items[财产损失] = facts.property;
  items[鉴定费] = facts.appraisal;
  sheet.合计 = std::accumulate(items.begin(), items.end(), Fen{0});
  sheet.payers = pay(facts, items, sheet.合计);
  sheet.案件受理费 = courtFee(claimedAmount(sheet.payers), facts.summary);
  if (working) working->finish(sheet, coefficientHundredths, years);
  return outcome;
}

}  // namespace quorvane::claim
