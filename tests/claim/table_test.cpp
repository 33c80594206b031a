#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "claim_table.h"
#include "claim_testing.h"

namespace quorvane::claim {
namespace {

using Cells = std::array<std::string, 5>;

std::vector<Cells> cellsOf(const testing::Case& c, bool withWorking = true) {
  std::vector<Cells> all;
  for (const auto& row : filedTable(computeClaim(c.input, c.claim, {}, withWorking))) {
    all.push_back(tableCells(row));
  }
  return all;
}

TEST(ClaimTable, TheWorkedExampleAsFiled) {
  const std::vector<Cells> expected{
      {"1", "残疾赔偿金", "32903 元 × 20 年 × 13%（十级 10% + 附加指数 3%）", "85547.80",
       "人身损害赔偿解释第十二条"},
      {"2", "护理费", "100 元 × 30 天", "3000.00", "人身损害赔偿解释第八条"},
      {"3", "住院伙食补助费", "50 元 × 20 天（2012年标准）", "1000.00", "人身损害赔偿解释第十条"},
      {"4", "误工费", "200 元 × 90 天", "18000.00", "人身损害赔偿解释第七条"},
      {"5", "被扶养人生活费",
       "第 1 至 14 年：21984 元 × 13% × 5/6 × 14 年；第 15 年：21984 元 × 13% × 1/3 × 1 年",
       "34295.04", "人身损害赔偿解释第十六条、第十七条"},
      {"6", "交通费", "按票据", "1200.00", "人身损害赔偿解释第九条"},
      {"7", "医疗费", "按票据", "35000.50", "人身损害赔偿解释第六条"},
      {"8", "营养费", "按票据", "600.00", "人身损害赔偿解释第十一条"},
      {"9", "精神损害抚慰金", "主张金额", "10000.00", "民法典第一千一百八十三条"},
      {"", "合计", "", "188643.34", ""},
      {"", "交强险（医疗费用）", "医疗费用类损失 36600.50，限额 10000", "10000.00",
       "道路交通安全法第七十六条、机动车交通事故责任强制保险条例第二十三条"},
      {"", "交强险（死亡伤残）", "死亡伤残类损失 152042.84，限额 110000", "110000.00",
       "道路交通安全法第七十六条、机动车交通事故责任强制保险条例第二十三条"},
      {"", "剩余损失", "188643.34 − 120000.00", "68643.34", ""},
      {"", "责任方承担", "68643.34 × 70%", "48050.34", "道路交通安全法第七十六条"},
      {"", "商业三者险", "限额 500000", "48050.34", "民法典第一千二百一十三条"},
      {"", "受害人自担", "68643.34 − 48050.34", "20593.00", ""},
  };
  EXPECT_EQ(cellsOf(testing::workedExample()), expected);
}

TEST(ClaimTable, KeepsRestAndLiabilityAtZeroAndHasNoRowsWhenRefused) {
  testing::Case c = testing::workedExample();
  c.claim.责任比例 = "0";
  c.claim.交强险 = "", c.input.医疗费 = "0.5";
  auto rows = cellsOf(c, false);
  ASSERT_GE(rows.size(), 4u);
  // Without the working the amounts still stand.
  EXPECT_EQ(rows[0][2], "");
  EXPECT_EQ(rows[rows.size() - 3][1], "剩余损失");
  EXPECT_EQ(rows[rows.size() - 2],
            (Cells{"", "责任方承担", "153643.34 × 0%", "0.00", "道路交通安全法第七十六条"}));
  EXPECT_EQ(rows.back()[1], "受害人自担");
  c.claim.交强险 = "全险";
  EXPECT_TRUE(cellsOf(c).empty());
}

}  // namespace
}  // namespace quorvane::claim
