#include "court_fee.h"

#include <gtest/gtest.h>

#include <string>

#include "claim_testing.h"

namespace quorvane::claim {
namespace {

struct Fee {
  Fen claimed, fee, halved;
};

// Band by band: the flat fee, each band's top, a yuan above it (the next
// band's rate), halves of a fen before and after the halving, and the
// cases the sheet's examples ask for.
TEST(CourtFee, AddsUpTheBandsAndRoundsOnceAfterHalving) {
  constexpr Fee kFees[] = {
      {0, 5'000, 2'500},
      {1'000'000, 5'000, 2'500},
      {1'000'100, 5'003, 2'501},  // 50.025 and 25.0125
      {1'000'020, 5'001, 2'500},  // 50.005 up, but 25.0025 down: halved before rounding
      {10'000'000, 230'000, 115'000},
      {10'000'100, 230'002, 115'001},  // 100001.00: the next band's 2%
      {10'000'050, 230'001, 115'001},  // 2300.01 and 1150.005 up
      {20'000'000, 430'000, 215'000},
      {20'000'100, 430'002, 215'001},
      {50'000'000, 880'000, 440'000},
      {50'000'100, 880'001, 440'001},
      {100'000'000, 1'380'000, 690'000},
      {100'000'100, 1'380'001, 690'000},
      {200'000'000, 2'280'000, 1'140'000},
      {200'000'100, 2'280'001, 1'140'000},
      {500'000'000, 4'680'000, 2'340'000},
      {500'000'100, 4'680'001, 2'340'000},
      {1'000'000'000, 8'180'000, 4'090'000},
      {1'000'000'100, 8'180'001, 4'090'000},
      {2'000'000'000, 14'180'000, 7'090'000},
      {2'000'000'100, 14'180'001, 7'090'000},  // 141800.005 up
      {89'349'000, 1'273'490, 636'745},
      {16'805'034, 366'101, 183'050},  // 1830.5034: not 1830.51
      {158'178'252, 1'903'604, 951'802},
      {9'999'999'999, 54'180'000, 27'090'000},  // 541799.99995 and 270899.999975
  };
  for (const auto& [claimed, fee, halved] : kFees) {
    EXPECT_EQ(courtFee(claimed, false), fee) << claimed;
    EXPECT_EQ(courtFee(claimed, true), halved) << claimed;
  }
}

TEST(CourtFee, LineNamesTheClaimAndTheHalving) {
  ClaimSheet sheet;
  sheet.payers.交强险合计 = 39'900'000;
  sheet.payers.责任方承担 = 118'278'252;
  sheet.payers.受害人自担 = 13'142'028;  // not asked for
  EXPECT_EQ(claimedAmount(sheet.payers), 158'178'252);
  EXPECT_EQ(feeLine(sheet, false),
            "案件受理费 19036.04 元（按诉讼请求 1581782.52 元，诉讼费用交纳办法第十三条）");
  EXPECT_EQ(feeLine(sheet, true),
            "案件受理费 9518.02 元（按诉讼请求 1581782.52 元，诉讼费用交纳办法第十三条，"
            "简易程序减半）");
}

TEST(CourtFee, SheetHoldsItHalvedUnderTheSummaryProcedure) {
  auto c = testing::workedExample();
  const auto fee = [&c] { return std::get<ClaimSheet>(computeClaim(c.input, c.claim)).案件受理费; };
  EXPECT_EQ(fee(), 366'101);
  c.claim.简易程序 = "是";
  EXPECT_EQ(fee(), 183'050);
}

}  // namespace
}  // namespace quorvane::claim
