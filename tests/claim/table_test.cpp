#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "claim_document.h"
#include "claim_report.h"
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
      {"", "剩余损失", "188643.34 - 120000.00", "68643.34", ""},
      {"", "责任方承担", "68643.34 × 70%", "48050.34", "道路交通安全法第七十六条"},
      {"", "商业三者险", "限额 500000", "48050.34", "民法典第一千二百一十三条"},
      {"", "受害人自担", "68643.34 - 48050.34", "20593.00", ""},
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
  // Printed, a refusal is its notice over the table's header alone.
  const auto printed = reportSection(c.claim, computeClaim(c.input, c.claim, {}, true));
  ASSERT_EQ(printed.table.size(), 1u);
  EXPECT_EQ(printed.table[0].back(), "依据");
  EXPECT_EQ(printed.rows.back().name, "清单提示");
}

// Rows a case must hold, and how many it has: the later items, the property
// head and vehicle 3 beside vehicle 1; then the rest at 0.00 kept while 受害人自担
// at 0.00 is left out, and other victims exactly at the limit with no proration;
// past it, by the losses' proportion.
TEST(ClaimTable, HoldsTheRowsOfEachKindOfCase) {
  testing::Case later = testing::workedExample();
  later.input.住宿天数 = "5", later.claim.财产损失 = "3000", later.claim.鉴定费 = "3500";
  later.claim.车辆3交强险 = "有责", later.claim.车辆3责任比例 = "20";
  later.claim.车辆3商业三者险限额 = "1000";
  testing::Case covered;
  testing::born(covered, "1990", "1", "1");
  testing::accident(covered, "2011", "11", "11");
  covered.input.医疗费 = "4000", covered.claim.计算标准年度 = "2012";
  covered.claim.交强险 = "有责", covered.claim.其他受害人医疗费用 = "6000";
  testing::Case prorated = covered;
  prorated.input.医疗费 = "5000", prorated.claim.其他受害人医疗费用 = "8000";
  const std::string insurance =
      "道路交通安全法第七十六条、机动车交通事故责任强制保险条例第二十三条";
  const struct {
    const testing::Case& c;
    std::size_t count;
    std::vector<Cells> rows;
  } cases[]{
      {later,
       22,
       {{"5", "住宿费", "50 元 × 5 天（2012年标准）", "250.00", "人身损害赔偿解释第十条"},
        {"11", "财产损失", "按票据", "3000.00", "民法典第一千一百八十四条"},
        {"12", "鉴定费", "按票据", "3500.00", ""},
        {"", "交强险（财产损失）",
         "财产损失类损失 3000.00，限额 4000（车辆1 1500.00，车辆3 1500.00）", "3000.00", insurance},
        {"", "责任方承担", "20100.50 × 90%（70% + 20%）", "18090.45", "道路交通安全法第七十六条"},
        {"", "车辆3 商业三者险", "按责任比例分摊 4020.10，限额 1000", "1000.00",
         "民法典第一千二百一十三条"},
        {"", "车辆3 侵权人", "4020.10 - 1000.00", "3020.10", "民法典第一千二百一十三条"}}},
      {covered,
       5,
       {{"", "交强险（医疗费用）", "医疗费用类损失 4000.00，其他受害人 6000.00，限额 10000",
         "4000.00", insurance},
        {"", "剩余损失", "4000.00 - 4000.00", "0.00", ""}}},
      {prorated,
       6,
       {{"", "交强险（医疗费用）",
         "医疗费用类损失 5000.00，其他受害人 8000.00，限额 10000，按损失比例", "3846.15",
         insurance},
        {"", "侵权人", "1153.85 - 0.00", "1153.85", "民法典第一千二百一十三条"}}},
  };
  for (const auto& [c, count, rows] : cases) {
    const auto all = cellsOf(c);
    EXPECT_EQ(all.size(), count);
    for (const Cells& row : rows) {
      EXPECT_NE(std::find(all.begin(), all.end(), row), all.end()) << row[1] << " " << row[2];
    }
  }
}

// As a document: the header and 合计 in bold, the amounts right-aligned.
TEST(ClaimTable, AsADocument) {
  const testing::Case c = testing::workedExample();
  const auto rows = filedTable(computeClaim(c.input, c.claim, {}, true));
  const document::Table table = sheetTable(rows);
  ASSERT_EQ(table.rows.size(), rows.size() + 1);
  EXPECT_TRUE(table.rows[0].header);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const bool bold = r == 0 || rows[r - 1].kind == TableRow::Kind::total;
    ASSERT_EQ(table.rows[r].cells.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k) {
      const auto& paragraph = table.rows[r].cells[k].paragraphs.at(0);
      EXPECT_EQ(paragraph.spans.at(0).bold, bold) << r << " " << k;
      EXPECT_EQ(paragraph.align, r > 0 && k == 3 ? document::Align::right : document::Align::left)
          << r << " " << k;
    }
  }
}

// The facts line's dates: a real one of four-digit year as YYYY-MM-DD, else as typed.
TEST(ClaimTable, FactsLineDates) {
  const struct {
    const char *year, *month, *day, *text;
  } cases[] = {
      {"1988", "8", "8", "1988-08-08"},   {"1", "1", "1", "0001-01-01"},
      {"9999", "1", "2", "9999-01-02"},   {"10000", "1", "2", "10000-1-2"},
      {"0", "1", "1", "0-1-1"},           {"1988", "2", "30", "1988-2-30"},
      {"1988", "8", "8日", "1988-8-8日"},
  };
  for (const auto& d : cases) {
    testing::Case c = testing::workedExample();
    testing::born(c, d.year, d.month, d.day);
    EXPECT_EQ(sheetFacts(c.input, c.claim),
              "受害人出生日期 " + std::string(d.text) +
                  "；事故发生日 2011-11-11；计算标准年度 2012；伤残等级 十级");
  }
}

}  // namespace
}  // namespace quorvane::claim
