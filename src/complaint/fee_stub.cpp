// TEMPORARY: a stand-in for the court fee of court_fee.h, so that the
// complaint links before the claim library has the real one. Delete this
// file (and its line in CMakeLists.txt) when quorvane_claim defines these.

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "court_fee.h"

namespace quorvane::claim {

Fen courtFee(Fen claimed, bool summary) {
  // The bands' tops in fen and their rates per thousand; 50 yuan up to the first.
  constexpr std::array<std::pair<Fen, Fen>, 9> kBands{{{10'000'000, 25},
                                                       {20'000'000, 20},
                                                       {50'000'000, 15},
                                                       {100'000'000, 10},
                                                       {200'000'000, 9},
                                                       {500'000'000, 8},
                                                       {1'000'000'000, 7},
                                                       {2'000'000'000, 6},
                                                       {INT64_MAX, 5}}};
  Fen bottom = 1'000'000;
  Fen thousandths = 5'000 * 1'000;  // fen × 1000
  for (const auto& [top, rate] : kBands) {
    if (claimed <= bottom) break;
    thousandths += (std::min(claimed, top) - bottom) * rate;
    bottom = top;
  }
  const Fen denominator = summary ? 2'000 : 1'000;
  return (2 * thousandths + denominator) / (2 * denominator);
}

Fen claimedAmount(const Payers& payers) {
  return payers.交强险合计 + payers.责任方承担;
}

std::string feeLine(const ClaimSheet& sheet, bool summary) {
  const Fen claimed = claimedAmount(sheet.payers);
  return "案件受理费 " + fenText(courtFee(claimed, summary)) + " 元（按诉讼请求 " +
         fenText(claimed) + " 元，诉讼费用交纳办法第十三条" + (summary ? "，简易程序减半" : "") +
         "）";
}

}  // namespace quorvane::claim
