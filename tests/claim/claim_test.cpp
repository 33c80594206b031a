#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "claim.h"
#include "claim_input.h"
#include "claim_report.h"
#include "claim_testing.h"

namespace quorvane::claim {
namespace {

using testing::accident;
using testing::born;
using testing::Case;
using testing::columns;
using testing::Rule;
using testing::workedExample;

// A plain case for one rule at a time: no payers, no dependants, no costs.
Case plain() {
  Case c;
  auto& in = c.input;
  born(c, "1950", "1", "10");
  accident(c, "2011", "1", "1");
  in.伤残等级 = "一";
  c.claim.计算标准年度 = "2012";
  return c;
}

TEST(Claim, WorkedExampleGivesTheCourtsFigures) {
  const auto got = columns(workedExample());
  std::map<std::string, std::string> expected{
      {"清单提示", ""},
      {"清单残疾赔偿金", "85547.80"},
      {"清单死亡赔偿金", "0.00"},
      {"清单丧葬费", "0.00"},
      {"清单护理费", "3000.00"},
      {"清单住院伙食补助费", "1000.00"},
      {"清单误工费", "18000.00"},
      {"清单住宿费", "0.00"},
      {"清单被扶养人生活费", "34295.04"},
      {"清单交通费", "1200.00"},
      {"清单医疗费", "35000.50"},
      {"清单营养费", "600.00"},
      {"清单残疾辅助器具费", "0.00"},
      {"清单精神损害抚慰金", "10000.00"},
      {"清单合计", "188643.34"},
      {"交强险医疗费用", "10000.00"},
      {"交强险死亡伤残", "110000.00"},
      {"交强险合计", "120000.00"},
      {"剩余损失", "68643.34"},
      {"责任方承担", "48050.34"},
      {"商业三者险", "48050.34"},
      {"侵权人", "0.00"},
      {"受害人自担", "20593.00"},
      {"案件受理费", "3661.01"},  // on 120000.00 + 48050.34
  };
  testing::addOneVehicle(expected);
  EXPECT_EQ(got, expected);
}

class ClaimRules : public ::testing::TestWithParam<Rule> {};

TEST_P(ClaimRules, GiveTheirFigure) {
  Case c = plain();
  GetParam().change(c);
  const auto got = columns(c);
  EXPECT_EQ(got.at("清单提示"), "");
  EXPECT_EQ(got.at(GetParam().column), GetParam().expected);
}

// 32903 a year in the 2012 row; 21984 for support.
INSTANTIATE_TEST_SUITE_P(
    Table, ClaimRules,
    ::testing::Values(
        Rule{"age60", [](Case&) {}, "清单残疾赔偿金", "658060.00"},
        Rule{"assessedAt61", [](Case& c) { c.claim.定残日 = "2011-03-01"; }, "清单残疾赔偿金",
             "625157.00"},
        Rule{"age61ByBirthday", [](Case& c) { born(c, "1950", "1", "1"); }, "清单残疾赔偿金",
             "625157.00"},
        Rule{"age74", [](Case& c) { born(c, "1937", "1", "1"); }, "清单残疾赔偿金", "197418.00"},
        Rule{"age75", [](Case& c) { born(c, "1936", "1", "1"); }, "清单残疾赔偿金", "164515.00"},
        Rule{"dayBefore75thBirthday", [](Case& c) { born(c, "1936", "1", "2"); }, "清单残疾赔偿金",
             "197418.00"},
        Rule{"age0", [](Case& c) { born(c, "2010", "6", "1"); }, "清单残疾赔偿金", "658060.00"},
        Rule{"bornOnTheAccidentDay", [](Case& c) { born(c, "2011", "1", "1"); }, "清单残疾赔偿金",
             "658060.00"},
        Rule{"age150", [](Case& c) { born(c, "1861", "1", "1"); }, "清单残疾赔偿金", "164515.00"},
        Rule{"assessedOnTheAccidentDay", [](Case& c) { c.claim.定残日 = "2011-01-01"; },
             "清单残疾赔偿金", "658060.00"},
        Rule{"bornAfterTheAccidentBeforeAssessment",
             [](Case& c) {
               born(c, "2011", "2", "1");
               c.claim.定残日 = "2011-03-01";
             },
             "清单残疾赔偿金", "658060.00"},
        Rule{"leapBirthdayNotYetOn28Feb",
             [](Case& c) {
               born(c, "1952", "2", "29");
               accident(c, "2013", "2", "28");
             },
             "清单残疾赔偿金", "658060.00"},
        Rule{"leapBirthdayOn1March",
             [](Case& c) {
               born(c, "1952", "2", "29");
               accident(c, "2013", "3", "1");
             },
             "清单残疾赔偿金", "625157.00"},
        Rule{"secondGradeIsNinetyPercent", [](Case& c) { c.input.伤残等级 = "二"; },
             "清单残疾赔偿金", "592254.00"},
        Rule{"extraIndexCappedAt100", [](Case& c) { c.claim.伤残附加指数 = "5"; }, "清单残疾赔偿金",
             "658060.00"},
        Rule{"extraIndexWithDecimals",
             [](Case& c) {
               c.input.伤残等级 = "十";
               c.claim.伤残附加指数 = "0.05";
             },
             "清单残疾赔偿金", "66135.03"},
        Rule{"noGradeIgnoresExtraIndex",
             [](Case& c) {
               c.input.伤残等级 = "";
               c.claim.伤残附加指数 = "10";
             },
             "清单残疾赔偿金", "0.00"},
        // The cap is on 60% × 200%, not on the shares alone (60% × 100%).
        Rule{"yearlyCap",
             [](Case& c) {
               c.input.伤残等级 = "五", c.input.夫妻或单亲 = "单亲";
               c.input.孩子1年龄 = "1", c.input.孩子2年龄 = "1";
             },
             "清单被扶养人生活费", "373728.00"},
        Rule{"emptyParentsIsOneParent", [](Case& c) { c.input.孩子1年龄 = "17"; },
             "清单被扶养人生活费", "21984.00"},
        Rule{"elderSharedBySiblings",
             [](Case& c) {
               c.input.老人1年龄 = "80";
               c.input.兄弟姐妹人数 = "3";
             },
             "清单被扶养人生活费", "27480.00"},
        Rule{"elderAt60", [](Case& c) { c.input.老人1年龄 = "60"; }, "清单被扶养人生活费",
             "439680.00"},
        Rule{"elderAt61", [](Case& c) { c.input.老人1年龄 = "61"; }, "清单被扶养人生活费",
             "417696.00"},
        Rule{"elderAt75", [](Case& c) { c.input.老人1年龄 = "75"; }, "清单被扶养人生活费",
             "109920.00"},
        Rule{"sixthChild", [](Case& c) { c.input.孩子6年龄 = "17"; }, "清单被扶养人生活费",
             "21984.00"},
        Rule{"fourthElder", [](Case& c) { c.input.老人4年龄 = "70"; }, "清单被扶养人生活费",
             "219840.00"},
        Rule{"halfYearChildRoundsToEven", [](Case& c) { c.input.孩子1年龄 = "3.5"; },
             "清单被扶养人生活费", "307776.00"},
        Rule{"careOfTwoCarersWithHalfDays",
             [](Case& c) {
               c.input.人员1的护理天数 = "10.5", c.input.护理人员1的工资 = "33.33";
               c.input.人员2的护理天数 = "3", c.input.护理人员2的工资 = "0.01";
             },
             "清单护理费", "350.00"},
        Rule{"lostEarningsRoundHalfUp",
             [](Case& c) { c.input.误工天数 = "0.5", c.input.最近三年日平均收入 = "0.01"; },
             "清单误工费", "0.01"},
        Rule{"lodging", [](Case& c) { c.input.住宿天数 = "3"; }, "清单住宿费", "150.00"},
        Rule{"accidentYearWhenNoTrialYear", [](Case& c) { c.claim.计算标准年度 = ""; },
             "清单残疾赔偿金", "581460.00"}),
    [](const auto& p) { return std::string(p.param.name); });

// Who pays, by the accident date, liability and what the items come to.
struct Payment {
  const char* name;
  std::function<void(Case&)> change;
  std::vector<std::pair<const char*, const char*>> expected;
};

void PrintTo(const Payment& row, std::ostream* out) {
  *out << row.name;
}

class ClaimPayers : public ::testing::TestWithParam<Payment> {};

TEST_P(ClaimPayers, SplitTheTotal) {
  Case c = workedExample();
  GetParam().change(c);
  const auto got = columns(c);
  ASSERT_EQ(got.at("清单提示"), "");
  for (const auto& [column, expected] : GetParam().expected)
    EXPECT_EQ(got.at(column), expected) << column;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClaimPayers,
    ::testing::Values(Payment{"before2020Limits",
                              [](Case& c) { accident(c, "2020", "9", "18"); },
                              {{"交强险医疗费用", "10000.00"}, {"交强险死亡伤残", "110000.00"}}},
                      Payment{"from2020Limits",
                              [](Case& c) { accident(c, "2020", "9", "19"); },
                              {{"交强险医疗费用", "18000.00"},
                               {"交强险死亡伤残", "152042.84"},
                               {"剩余损失", "18600.50"}}},
                      Payment{"limitsGoByTheAccidentNotTheAssessment",
                              [](Case& c) {
                                accident(c, "2020", "9", "18");
                                c.claim.定残日 = "2020-10-01";
                              },
                              {{"交强险医疗费用", "10000.00"}, {"交强险死亡伤残", "110000.00"}}},
                      Payment{"first2008Day",
                              [](Case& c) { accident(c, "2008", "2", "1"); },
                              {{"交强险合计", "120000.00"}}},
                      Payment{"notLiable",
                              [](Case& c) { c.claim.交强险 = "无责"; },
                              {{"交强险医疗费用", "1000.00"},
                               {"交强险死亡伤残", "11000.00"},
                               {"剩余损失", "176643.34"}}},
                      Payment{"notLiableFrom2020",
                              [](Case& c) {
                                c.claim.交强险 = "无责";
                                accident(c, "2021", "1", "1");
                              },
                              {{"交强险医疗费用", "1800.00"}, {"交强险死亡伤残", "18000.00"}}},
                      Payment{"unusedRoomPaysNoOtherItems",
                              [](Case& c) {
                                c.input.医疗费 = "", c.input.营养费 = "", c.input.住院天数 = "";
                              },
                              {{"交强险医疗费用", "0.00"}, {"交强险死亡伤残", "110000.00"}}},
                      // Below both limits: meals and nutrition (1600) under 医疗费用,
                      // lost earnings and lodging under 死亡伤残.
                      Payment{"eachItemUnderItsHead",
                              [](Case& c) {
                                accident(c, "2021", "1", "1");
                                c.input.医疗费 = "", c.input.住宿天数 = "10";
                              },
                              {{"交强险医疗费用", "1600.00"}, {"交强险死亡伤残", "152542.84"}}},
                      Payment{"noInsurance",
                              [](Case& c) { c.claim.交强险 = "无"; },
                              {{"交强险合计", "0.00"},
                               {"剩余损失", "188643.34"},
                               {"责任方承担", "132050.34"},
                               {"受害人自担", "56593.00"}}},
                      Payment{"commercialLimitExhausted",
                              [](Case& c) { c.claim.商业三者险限额 = "40000"; },
                              {{"商业三者险", "40000.00"}, {"侵权人", "8050.34"}}},
                      Payment{"noCommercialPolicy",
                              [](Case& c) { c.claim.商业三者险限额 = ""; },
                              {{"商业三者险", "0.00"}, {"侵权人", "48050.34"}}},
                      Payment{"shareHalfUp",
                              [](Case& c) { c.claim.责任比例 = "0.01"; },
                              {{"责任方承担", "6.86"}, {"受害人自担", "68636.48"}}},
                      Payment{"emptyShareIsAll",
                              [](Case& c) { c.claim.责任比例 = ""; },
                              {{"责任方承担", "68643.34"}, {"受害人自担", "0.00"}}}),
    [](const auto& p) { return std::string(p.param.name); });

struct Refusal {
  const char* name;
  std::function<void(Case&)> change;
  const char* message;
};

void PrintTo(const Refusal& row, std::ostream* out) {
  *out << row.name;
}

class ClaimRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(ClaimRefusals, NameTheFieldAndItsText) {
  Case c = workedExample();
  GetParam().change(c);
  const auto outcome = computeClaim(c.input, c.claim);
  ASSERT_TRUE(std::holds_alternative<ClaimRefusal>(outcome));
  EXPECT_EQ(std::get<ClaimRefusal>(outcome).message, GetParam().message);
  const auto texts = columnTexts(outcome);
  for (std::size_t k = 1; k < texts.size(); ++k) EXPECT_EQ(texts[k], "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClaimRefusals,
    ::testing::Values(
        Refusal{"grouping", [](Case& c) { c.input.医疗费 = "1,500"; },
                "医疗费“1,500”不是有效的数字（只写数字，最多两位小数）"},
        Refusal{"threeDecimals", [](Case& c) { c.claim.精神损害抚慰金 = "1.005"; },
                "精神损害抚慰金“1.005”不是有效的数字（只写数字，最多两位小数）"},
        Refusal{"sign", [](Case& c) { c.input.住院天数 = "-1"; },
                "住院天数“-1”不是有效的数字（只写数字，最多两位小数）"},
        Refusal{"blank", [](Case& c) { c.input.误工天数 = " 9"; },
                "误工天数“ 9”不是有效的数字（只写数字，最多两位小数）"},
        Refusal{"bareDot", [](Case& c) { c.input.营养费 = "5."; },
                "营养费“5.”不是有效的数字（只写数字，最多两位小数）"},
        Refusal{"moneyTooLarge", [](Case& c) { c.input.交通费 = "100000000"; },
                "交通费“100000000”超出范围（0 至 99999999.99 元）"},
        Refusal{"manyDigits", [](Case& c) { c.claim.商业三者险限额 = "99999999999999999999999"; },
                "商业三者险限额“99999999999999999999999”超出范围（0 至 99999999.99 元）"},
        Refusal{"daysTooMany", [](Case& c) { c.input.人员1的护理天数 = "36500.01"; },
                "人员1的护理天数“36500.01”超出范围（0 至 36500 天）"},
        Refusal{"elderTooOld", [](Case& c) { c.input.老人1年龄 = "150.5"; },
                "老人1年龄“150.5”超出范围（0 至 150 岁）"},
        Refusal{"extraAbove10", [](Case& c) { c.claim.伤残附加指数 = "10.01"; },
                "伤残附加指数“10.01”超出范围（0 至 10）"},
        Refusal{"shareAbove100", [](Case& c) { c.claim.责任比例 = "100.5"; },
                "责任比例“100.5”超出范围（0 至 100）"},
        Refusal{"siblingsFraction", [](Case& c) { c.input.兄弟姐妹人数 = "1.5"; },
                "兄弟姐妹人数“1.5”不是整数"},
        Refusal{"siblingsTooMany", [](Case& c) { c.input.兄弟姐妹人数 = "21"; },
                "兄弟姐妹人数“21”超出范围（0 至 20）"},
        Refusal{"noSuchDay", [](Case& c) { accident(c, "2011", "2", "30"); },
                "事故发生日“2011-2-30”不是存在的日期"},
        Refusal{"dayZero", [](Case& c) { accident(c, "2011", "11", "0"); },
                "事故发生日“2011-11-0”不是存在的日期"},
        Refusal{"centuryNotLeap", [](Case& c) { born(c, "1900", "2", "29"); },
                "受害人生日“1900-2-29”不是存在的日期"},
        Refusal{"emptyBirthPart", [](Case& c) { c.input.受害人生日月 = ""; },
                "受害人生日不完整：受害人生日月为空"},
        Refusal{"shortYear", [](Case& c) { c.input.受害人生日年 = "988"; },
                "受害人生日年“988”不是有效的年份（四位数字）"},
        Refusal{"emptyDay", [](Case& c) { accident(c, "2011", "11", ""); },
                "事故发生日不完整：事故发生日日为空"},
        Refusal{"monthThreeDigits", [](Case& c) { born(c, "1988", "011", "8"); },
                "受害人生日月“011”不是有效的月或日（数字）"},
        Refusal{"monthBelowDigits", [](Case& c) { born(c, "1988", "1/", "8"); },
                "受害人生日月“1/”不是有效的月或日（数字）"},
        Refusal{"dayNotDigits", [](Case& c) { born(c, "1988", "8", "1a"); },
                "受害人生日日“1a”不是有效的月或日（数字）"},
        Refusal{"longYear", [](Case& c) { c.input.受害人生日年 = "01988"; },
                "受害人生日年“01988”不是有效的年份（四位数字）"},
        Refusal{"assessedBadForm", [](Case& c) { c.claim.定残日 = "2012-2-1"; },
                "定残日“2012-2-1”不是存在的日期（格式为 YYYY-MM-DD）"},
        Refusal{"assessedNoSuchDay", [](Case& c) { c.claim.定残日 = "2013-02-29"; },
                "定残日“2013-02-29”不是存在的日期（格式为 YYYY-MM-DD）"},
        Refusal{"assessedBeforeAccident", [](Case& c) { c.claim.定残日 = "2011-11-10"; },
                "定残日“2011-11-10”早于事故发生日 2011-11-11"},
        Refusal{"bornAfterAccident", [](Case& c) { born(c, "2011", "11", "12"); },
                "受害人生日“2011-11-12”晚于事故发生日 2011-11-11"},
        Refusal{"victimTooOld", [](Case& c) { born(c, "1860", "1", "1"); },
                "受害人年龄 151 周岁超出范围（0 至 150 岁）"},
        Refusal{"trialYearWithoutRow", [](Case& c) { c.claim.计算标准年度 = "2015"; },
                "计算标准年度“2015”没有统计标准：请在“年度标准”中添加2015年的数据"},
        Refusal{"accidentYearWithoutRow",
                [](Case& c) {
                  c.claim.计算标准年度 = "";
                  accident(c, "2013", "1", "1");
                },
                "事故发生日年“2013”没有统计标准：请在“年度标准”中添加2013年的数据"},
        Refusal{"trialYearNotFourDigits", [](Case& c) { c.claim.计算标准年度 = "12"; },
                "计算标准年度“12”不是有效的年份（四位数字）"},
        Refusal{"insuranceText", [](Case& c) { c.claim.交强险 = "有"; },
                "交强险“有”只能是“有责”、“无责”或“无”"},
        Refusal{"insuranceBefore2008AssessedAfter",
                [](Case& c) {
                  accident(c, "2008", "1", "31");
                  c.claim.定残日 = "2008-03-01";
                },
                "交强险：事故发生日 2008-01-31 早于 2008-02-01，当时的责任限额不在计算范围内"},
        Refusal{"grade", [](Case& c) { c.input.伤残等级 = "二级"; }, "伤残等级“二级”不是一至十级"},
        Refusal{"parents", [](Case& c) { c.input.夫妻或单亲 = "双亲"; },
                "夫妻或单亲“双亲”只能是“夫妻”或“单亲”"},
        Refusal{"summaryNotYes", [](Case& c) { c.claim.简易程序 = "否"; },
                "简易程序“否”应为“是”或不填"},
        Refusal{"summaryAfterTheOtherChecks",
                [](Case& c) { c.claim.简易程序 = "是 ", c.claim.车辆2交强险 = "有"; },
                "车辆2交强险“有”只能是“有责”、“无责”或“无”"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Claim, NoInsuranceBefore2008IsNoFault) {
  Case c = workedExample();
  accident(c, "2007", "1", "1");
  c.claim.交强险 = "无";
  EXPECT_TRUE(std::holds_alternative<ClaimSheet>(computeClaim(c.input, c.claim)));
}

TEST(Claim, StandardsFileRowsServeTheTrialYear) {
  StandardsTable table;
  table.add("2016", {52859, 36642, 100, 50}, "");
  Case c = plain();
  c.claim.计算标准年度 = "2016";
  c.input.住院天数 = "2", c.input.住宿天数 = "3";
  const auto got = columns(c, table);
  EXPECT_EQ(got.at("清单残疾赔偿金"), "1057180.00");
  // Meals at 100 a day and lodging at 50: each item by its own rate.
  EXPECT_EQ(got.at("清单住院伙食补助费"), "200.00");
  EXPECT_EQ(got.at("清单住宿费"), "150.00");
  const auto working =
      std::get<ClaimSheet>(computeClaim(c.input, c.claim, table, true)).itemWorking;
  EXPECT_TRUE(working[住院伙食补助费].starts_with("100 元 × 2 天 = 200.00"))
      << working[住院伙食补助费];
  EXPECT_TRUE(working[住宿费].starts_with("50 元 × 3 天 = 150.00")) << working[住宿费];
}

TEST(Claim, WorkingShowsTheFormulaWithItsFigures) {
  const Case c = workedExample();
  const auto outcome = computeClaim(c.input, c.claim, {}, true);
  const auto& sheet = std::get<ClaimSheet>(outcome);
  EXPECT_EQ(sheet.itemWorking[残疾赔偿金].substr(0, sheet.itemWorking[残疾赔偿金].find('\n')),
            "32903 元 × 20 年 × 13%（十级 10% + 附加指数 3%） = 85547.80");
  EXPECT_NE(sheet.itemWorking[被扶养人生活费].find("第 1 至 14 年：21984 元 × 13% × 5/6 × 14 年"),
            std::string::npos);
  EXPECT_NE(sheet.itemWorking[被扶养人生活费].find("第 15 年：21984 元 × 13% × 1/3 × 1 年"),
            std::string::npos);
  // Exactly 100% is not capped.
  const Case first = plain();
  const auto full = std::get<ClaimSheet>(computeClaim(first.input, first.claim, {}, true));
  EXPECT_EQ(full.itemWorking[残疾赔偿金].substr(0, full.itemWorking[残疾赔偿金].find('\n')),
            "32903 元 × 20 年 × 100%（一级 100%） = 658060.00");
  const auto section = reportSection(c.claim, outcome);
  EXPECT_EQ(section.title, "赔偿清单");
  EXPECT_EQ(section.rows.front().name, "计算标准年度");
  // Without working asked for, none is written.
  EXPECT_TRUE(std::get<ClaimSheet>(computeClaim(c.input, c.claim)).itemWorking.empty());
}

TEST(Claim, AnySetLooksAtEveryClaimInput) {
  EXPECT_FALSE(anySet({}));
  for (const auto& field : claimFields) {
    ClaimInput claim;
    claim.*field.member = "x";
    EXPECT_TRUE(anySet(claim)) << field.name;
  }
}

}  // namespace
}  // namespace quorvane::claim

namespace quorvane::claim {
namespace {

TEST(Claim, FenTextsHaveExactlyTwoDecimals) {
  const std::pair<Fen, const char*> table[] = {
      {0, "0.00"},
      {5, "0.05"},
      {100, "1.00"},
      {999, "9.99"},
      {1'000, "10.00"},
      {123'456'789, "1234567.89"},
      {-150, "-1.50"},
      {9'999'999'999, "99999999.99"},
      {INT64_MAX, "92233720368547758.07"},
      {INT64_MIN, "-92233720368547758.08"},
  };
  for (const auto& [fen, text] : table) EXPECT_EQ(fenText(fen), text) << fen;
  // Every length of text: each side of each power of ten.
  for (Fen power = 1; power <= INT64_MAX / 10; power *= 10) {
    for (const Fen fen : {power - 1, power, power + 1, -power}) {
      const auto magnitude = std::to_string(fen < 0 ? -fen : fen);
      const auto padded =
          std::string(magnitude.size() < 3 ? 3 - magnitude.size() : 0, '0') + magnitude;
      EXPECT_EQ(fenText(fen), (fen < 0 ? "-" : "") + padded.substr(0, padded.size() - 2) + "." +
                                  padded.substr(padded.size() - 2))
          << fen;
    }
  }
}

}  // namespace
}  // namespace quorvane::claim

namespace quorvane::claim::detail {
namespace {

TEST(Claim, HundredthsReadPlainNumbersOnly) {
  const std::pair<const char*, std::optional<std::int64_t>> table[] = {
      {"0", 0},         {"007", 700},
      {"1.5", 150},     {"1.05", 105},
      {"99.99", 9'999}, {"100", 10'000},
      {"100.01", {}},   {"1.", {}},
      {".5", {}},       {"1.234", {}},
      {"1e2", {}},      {"+1", {}},
      {"1 ", {}},       {"0000000000000000000042", 4'200},
      {"", {}},         {"1.a", {}},
      {"١", {}},        {"99999999999999999999", {}},
  };
  for (const auto& [text, expected] : table) EXPECT_EQ(hundredths(text, 10'000), expected) << text;
}

}  // namespace
}  // namespace quorvane::claim::detail
