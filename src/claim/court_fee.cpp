#include "court_fee.h"

#include <array>
#include <limits>

namespace quorvane::claim {
namespace {

// Each band's upper end in fen and its rate in thousandths; the first band
// is a flat fee, the last has no end.
struct Band {
  Fen top;
  Fen perMille;
};
constexpr Fen kFlatFee = 5'000;      // 50 yuan a case up to 10,000
constexpr Fen kFlatTop = 1'000'000;  // 10,000 yuan
constexpr std::array<Band, 9> kBands{{
    {10'000'000, 25},
    {20'000'000, 20},
    {50'000'000, 15},
    {100'000'000, 10},
    {200'000'000, 9},
    {500'000'000, 8},
    {1'000'000'000, 7},
    {2'000'000'000, 6},
    {std::numeric_limits<Fen>::max(), 5},
}};

}  // namespace

Fen courtFee(Fen claimed, bool summary) {
  // In thousandths of a fen, exact until the one rounding.
  Fen thousandths = kFlatFee * 1'000;
  Fen bottom = kFlatTop;
  for (const auto& band : kBands) {
    if (claimed <= bottom) break;
    thousandths += ((claimed < band.top ? claimed : band.top) - bottom) * band.perMille;
    bottom = band.top;
  }
  // Halved before the rounding, so that a half fen is not rounded twice.
  const Fen denominator = summary ? 2'000 : 1'000;
  return (2 * thousandths + denominator) / (2 * denominator);
}

Fen claimedAmount(const Payers& payers) {
  return payers.交强险合计 + payers.责任方承担;
}

std::string feeLine(const ClaimSheet& sheet, bool summary) {
  const Fen claimed = claimedAmount(sheet.payers);
  std::string line = "案件受理费 ";
  appendFen(line, courtFee(claimed, summary));
  line += " 元（按诉讼请求 ";
  appendFen(line, claimed);
  line += " 元，诉讼费用交纳办法第十三条";
  if (summary) line += "，简易程序减半";
  line += "）";
  return line;
}

}  // namespace quorvane::claim
