#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "claim.h"
#include "claim_testing.h"

namespace quorvane::claim {
namespace {

using testing::accident;
using testing::born;
using testing::Case;
using testing::columns;
using testing::Rule;

StandardsTable with2014() {
  StandardsTable table;
  Standards row{40321, 26275, 50, 50};
  row.averageWage = 69521;
  table.add("2014", row, "");
  return table;
}

// A traffic death argued in 2014: a child of 16 and an elder of 80 with one
// brother or sister to share the elder's support.
Case death() {
  Case c;
  auto& in = c.input;
  born(c, "1960", "3", "15");
  accident(c, "2013", "6", "1");
  in.夫妻或单亲 = "夫妻", in.孩子1年龄 = "16", in.老人1年龄 = "80", in.兄弟姐妹人数 = "1";
  in.住院天数 = "5", in.误工天数 = "10", in.最近三年日平均收入 = "300";
  in.交通费 = "3000", in.医疗费 = "52000";
  c.claim.计算标准年度 = "2014", c.claim.案件类型 = "死亡", c.claim.精神损害抚慰金 = "50000";
  c.claim.交强险 = "有责", c.claim.责任比例 = "100", c.claim.商业三者险限额 = "1000000";
  return c;
}

TEST(DeathClaim, WorkedExample) {
  const auto got = columns(death(), with2014());
  std::map<std::string, std::string> expected{
      {"清单提示", ""},
      {"清单残疾赔偿金", "0.00"},
      {"清单死亡赔偿金", "806420.00"},
      {"清单丧葬费", "34760.50"},
      {"清单护理费", "0.00"},
      {"清单住院伙食补助费", "250.00"},
      {"清单误工费", "3000.00"},
      {"清单住宿费", "0.00"},
      {"清单被扶养人生活费", "91962.50"},
      {"清单交通费", "3000.00"},
      {"清单医疗费", "52000.00"},
      {"清单营养费", "0.00"},
      {"清单残疾辅助器具费", "0.00"},
      {"清单精神损害抚慰金", "50000.00"},
      {"清单合计", "1041393.00"},
      {"交强险医疗费用", "10000.00"},
      {"交强险死亡伤残", "110000.00"},
      {"交强险合计", "120000.00"},
      {"剩余损失", "921393.00"},
      {"责任方承担", "921393.00"},
      {"商业三者险", "921393.00"},
      {"侵权人", "0.00"},
      {"受害人自担", "0.00"},
      {"案件受理费", "14172.54"},  // on 120000.00 + 921393.00
  };
  testing::addOneVehicle(expected);
  EXPECT_EQ(got, expected);
  const auto sheet =
      std::get<ClaimSheet>(computeClaim(death().input, death().claim, with2014(), true));
  EXPECT_TRUE(sheet.itemWorking[死亡赔偿金].starts_with("40321 元 × 20 年 = 806420.00"));
  EXPECT_TRUE(sheet.itemWorking[丧葬费].starts_with("69521 元 ÷ 12 × 6 = 34760.50"));
  EXPECT_TRUE(sheet.itemWorking[被扶养人生活费].starts_with(
      "第 1 至 2 年：26275 元 × 100%（100% × 1，以消费性支出为限） × 2 年\n"
      "第 3 至 5 年：26275 元 × 1/2（死亡案件按 100%） × 3 年\n"))
      << sheet.itemWorking[被扶养人生活费];
}

class DeathClaims : public ::testing::TestWithParam<Rule> {};

TEST_P(DeathClaims, Give) {
  Case c = death();
  GetParam().change(c);
  EXPECT_EQ(columns(c, with2014()).at(GetParam().column), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeathClaims,
    ::testing::Values(
        Rule{"age60", [](Case& c) { born(c, "1953", "6", "1"); }, "清单死亡赔偿金", "806420.00"},
        Rule{"age61", [](Case& c) { born(c, "1952", "6", "1"); }, "清单死亡赔偿金", "766099.00"},
        Rule{"age75", [](Case& c) { born(c, "1938", "6", "1"); }, "清单死亡赔偿金", "201605.00"},
        Rule{"gradeIgnored", [](Case& c) { c.input.伤残等级 = "不适用"; }, "清单提示", ""},
        Rule{"injuryByName",
             [](Case& c) {
               c.claim.案件类型 = "伤残";
               c.input.伤残等级 = "一";
             },
             "清单残疾赔偿金", "806420.00"},
        // 丧葬费 and 死亡赔偿金 fall under the 死亡伤残 limit, not 医疗费用's.
        Rule{"medicalLimitPaysOnlyMeals", [](Case& c) { c.input.医疗费 = ""; }, "交强险医疗费用",
             "250.00"},
        Rule{"zeroExtraIndex", [](Case& c) { c.claim.伤残附加指数 = "0.00"; }, "清单提示", ""},
        Rule{"injuryIsTheDefault",
             [](Case& c) {
               c.claim.案件类型 = "";
               c.input.伤残等级 = "一";
             },
             "清单丧葬费", "0.00"},
        Rule{"supportCappedAt100",
             [](Case& c) {
               c.input.老人1年龄 = "", c.input.孩子2年龄 = "17", c.input.夫妻或单亲 = "单亲";
             },
             "清单被扶养人生活费", "52550.00"},
        Rule{"noRowForTheYear", [](Case& c) { c.claim.计算标准年度 = "2013"; }, "清单提示",
             "计算标准年度“2013”没有统计标准：请在“年度标准”中添加2013年的数据"},
        Rule{"noWage", [](Case& c) { c.claim.计算标准年度 = "2012"; }, "清单提示",
             "2012年度没有职工平均工资：请在“年度标准”中填写"},
        Rule{"assessed", [](Case& c) { c.claim.定残日 = "2013-07-01"; }, "清单提示",
             "定残日“2013-07-01”不适用于死亡案件：请留空"},
        Rule{"assessedNotADate", [](Case& c) { c.claim.定残日 = "2013-02-30"; }, "清单提示",
             "定残日“2013-02-30”不适用于死亡案件：请留空"},
        Rule{"extraIndex", [](Case& c) { c.claim.伤残附加指数 = "0.5"; }, "清单提示",
             "伤残附加指数“0.5”不适用于死亡案件：请留空"},
        Rule{"kind", [](Case& c) { c.claim.案件类型 = "死"; }, "清单提示",
             "案件类型“死”只能是“伤残”或“死亡”"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace quorvane::claim
