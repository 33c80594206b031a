#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc.h"
#include "report.h"
#include "test_case.h"

namespace quorvane {
namespace {

struct Worked {
  CaseResult result;
  CaseWorking working;
};

Worked worked(const CaseInput& in) {
  Worked w;
  auto outcome = runCalculation(in, &w.working);
  w.result = std::get<CalcCompleted>(outcome).result;
  return w;
}

void expectMentions(const std::string& working, const std::vector<std::string>& figures,
                    const char* what) {
  for (const auto& figure : figures) {
    EXPECT_NE(working.find(figure), std::string::npos) << what << ": no " << figure << " in\n"
                                                       << working;
  }
}

TEST(Working, NamesTheFiguresOfTheDisabilityCompensation) {
  auto in = testing::startupCase();
  in.伤残等级 = "二";
  expectMentions(worked(in).working.伤残赔偿金,
                 {"29073 元 × 20 年 × 0.9（二级）= 523313.986136913", "2011年标准", "相隔 8495 天",
                  "年龄 23 岁", "0.89999997615814208984375"},
                 "age under 60");

  in.受害人生日年 = "1950";
  in.受害人生日月 = "1";
  in.受害人生日日 = "10";
  in.事故发生日月 = "1";
  in.事故发生日日 = "1";
  in.伤残等级 = "一";
  const auto w = worked(in);
  EXPECT_EQ(w.result.伤残赔偿金, "552387");
  expectMentions(
      w.working.伤残赔偿金,
      {"相隔 22271 天", "年龄 61 岁", "赔偿 19 年", "29073 元 × 19 年 × 1（一级）= 552387"},
      "age 61");
}

TEST(Working, NamesTheFiguresOfEachDependant) {
  auto in = testing::startupCase();
  in.事故发生日年 = "2012";
  in.伤残等级 = "二";
  in.孩子1年龄 = "4";
  in.老人1年龄 = "65";
  in.兄弟姐妹人数 = "2";
  const auto w = worked(in);
  expectMentions(w.working.扶养费孩子1,
                 {"扶养 14 年", "p = 14 × 0.9", "12.5999994277954", "21984 元 ÷ 2", "= 10992",
                  "= 138499.193710327"},
                 "child 1");
  expectMentions(w.working.扶养费老人1,
                 {"扶养 15 年", "13.5", "21984 元 ÷ 3", "= 7328", "13.5 × 7328 = 98928"},
                 "elder 1");
  expectMentions(w.working.扶养费合计, {"138499.193710327 + 0", "98928", "= 237427.193710327"},
                 "support total");
  expectMentions(w.working.扶养费孩子2, {"未录入", "0 年"}, "child 2");
}

TEST(Working, YearWithoutStandardsSaysSo) {
  auto in = testing::startupCase();
  in.事故发生日年 = "2013";
  in.住院天数 = "10";
  CaseWorking working;
  const auto outcome = runCalculation(in, &working);
  EXPECT_EQ(std::get<CalcCompleted>(outcome).notice, "请升级");
  expectMentions(working.住院伙食补助, {"0 元/天", "无统计标准", "× 住院天数 10 天 = 0"}, "meal");
  expectMentions(working.伤残赔偿金, {"0 元 × 20 年", "= 0"}, "compensation");
}

TEST(Working, EveryAmountIsExplainedAndEndsInItsText) {
  auto in = testing::startupCase();
  in.伤残等级 = "七";
  in.护理人员1的工资 = "80.1";
  in.人员1的护理天数 = "3天";
  in.交通费 = "1,200";
  in.孩子3年龄 = "3.5";
  in.老人4年龄 = "74.5";
  in.兄弟姐妹人数 = "0.5";
  const auto w = worked(in);
  for (const auto& field : resultFields) {
    const auto& working = w.working.*field.member;
    const auto& shown = w.result.*field.member;
    EXPECT_FALSE(working.empty()) << field.name;
    const auto firstLine = working.substr(0, working.find('\n'));
    EXPECT_NE(firstLine.find("= " + shown), std::string::npos) << field.name << ": " << firstLine;
  }
  expectMentions(w.working.人员1的护理费, {"80.1", "3（录入“3天”）", "= 240.3"}, "nursing");
  expectMentions(w.working.计算交通费, {"1（录入“1,200”）"}, "transport");
  for (const auto& field : resultFields) {
    if (field.name == "合计" || field.name.starts_with("扶养费孩") ||
        field.name.starts_with("扶养费老")) {
      continue;
    }
    expectMentions(w.working.合计, {std::string(field.name) + " " + w.result.*field.member},
                   "total");
  }
}

TEST(Working, AStoppedRunHasNone) {
  auto in = testing::startupCase();
  CaseWorking working;
  working.合计 = "stale";
  in.兄弟姐妹人数 = "-1";
  EXPECT_TRUE(std::holds_alternative<CalcStop>(runCalculation(in, &working)));
  for (const auto& field : resultFields) EXPECT_EQ(working.*field.member, "") << field.name;
}

TEST(Report, CarriesTheInputsStandardsResultsAndWorking) {
  auto in = testing::startupCase();
  in.伤残等级 = "二";
  in.住院天数 = "3天";
  const auto text = reportText(reportFor(in), "2026年12月8日");
  expectMentions(text,
                 {"人身损害赔偿计算书", "打印日期：2026年12月8日", "仅供参考", "住院天数：3天",
                  "孩子1年龄：（空）", "城镇居民人均可支配收入：29073 元/年",
                  "扶养基数：19934 元/年", "伤残赔偿金：523313.986136913",
                  "    29073 元 × 20 年 × 0.9（二级）", "合计：523463.986136913"},
                 "report");

  in.受害人生日月 = "";
  const auto stopped = reportFor(in);
  EXPECT_EQ(stopped.stopMessage, "请选择受害人生日.");
  expectMentions(reportText(stopped, "-"), {"计算中止：请选择受害人生日."}, "stopped report");
}

}  // namespace
}  // namespace quorvane
