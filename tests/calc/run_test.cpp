#include <gtest/gtest.h>

#include "calc.h"
#include "test_case.h"

namespace quorvane {
namespace {

struct StopCase {
  const char* name;
  void (*edit)(CaseInput&);
  const char* message;
  bool afterNotice;
};

TEST(RunCalculation, Stops) {
  const StopCase cases[] = {
      {"birth month empty", [](CaseInput& in) { in.受害人生日月 = ""; }, "请选择受害人生日.",
       false},
      {"accident month empty", [](CaseInput& in) { in.事故发生日月 = ""; }, "请选择事故发生日.",
       false},
      {"both dates incomplete",
       [](CaseInput& in) {
         in.受害人生日日 = "";
         in.事故发生日年 = "";
       },
       "请选择受害人生日.", false},
      {"birth year not a number", [](CaseInput& in) { in.受害人生日年 = "八"; },
       "请选择受害人生日.", false},
      {"accident month with a unit", [](CaseInput& in) { in.事故发生日月 = "8月"; },
       "请选择事故发生日.", false},
      {"birth year beyond 16 bits", [](CaseInput& in) { in.受害人生日年 = "40000"; },
       "请选择受害人生日.", false},
      {"birth year ending in an exponent letter", [](CaseInput& in) { in.受害人生日年 = "1988E"; },
       "请选择受害人生日.", false},
      {"accident month ending in an exponent letter",
       [](CaseInput& in) { in.事故发生日月 = "11E"; }, "请选择事故发生日.", false},
      {"full-width accident year", [](CaseInput& in) { in.事故发生日年 = "２０１１"; },
       "请选择事故发生日.", true},
      {"siblings -1", [](CaseInput& in) { in.兄弟姐妹人数 = "-1"; }, "兄弟姐妹人数不能为-1.",
       false},
      {"siblings -1 in a year without standards",
       [](CaseInput& in) {
         in.兄弟姐妹人数 = "-1";
         in.事故发生日年 = "2010";
       },
       "兄弟姐妹人数不能为-1.", true},
      {"typed beyond the range", [](CaseInput& in) { in.医疗费 = "1E400"; }, "数值超出计算范围.",
       false},
      {"typed beyond the range in an age", [](CaseInput& in) { in.孩子3年龄 = "-1E400"; },
       "数值超出计算范围.", false},
      {"product beyond the range",
       [](CaseInput& in) {
         in.最近三年日平均收入 = "1E200";
         in.误工天数 = "1E200";
       },
       "数值超出计算范围.", false},
      {"sum beyond the range",
       [](CaseInput& in) {
         in.交通费 = "1.7E308";
         in.医疗费 = "1.7E308";
       },
       "数值超出计算范围.", false},
      {"shown text beyond the range",  // 1.79769313486232E+308 reads back past the maximum
       [](CaseInput& in) { in.营养费 = "1.7976931348623157E308"; }, "数值超出计算范围.", false},
  };
  for (const auto& c : cases) {
    auto in = testing::startupCase();
    c.edit(in);
    const auto outcome = runCalculation(in);
    const auto* stop = std::get_if<CalcStop>(&outcome);
    ASSERT_NE(stop, nullptr) << c.name;
    EXPECT_EQ(stop->message, c.message) << c.name;
    EXPECT_EQ(stop->notice.has_value(), c.afterNotice) << c.name;
  }
}

TEST(RunCalculation, StartupCaseCompletesWithoutNotice) {
  const auto outcome = runCalculation(testing::startupCase());
  const auto& done = std::get<CalcCompleted>(outcome);
  EXPECT_FALSE(done.notice);
  EXPECT_EQ(done.result.伤残赔偿金, "581460");
  for (const auto& field : resultFields)
    EXPECT_FALSE((done.result.*field.member).empty()) << field.name;
}

TEST(RunCalculation, YearWithoutStandardsNoticesAndZeroesTheTableItems) {
  for (const char* year : {"2010", "2013", " 2011", "2011 "}) {
    auto in = testing::startupCase();
    in.事故发生日年 = year;
    in.孩子1年龄 = "4";
    in.老人1年龄 = "65";
    in.住院天数 = "10";
    in.住宿天数 = "10";
    in.护理人员1的工资 = "100";
    in.人员1的护理天数 = "2";
    in.最近三年日平均收入 = "100";
    in.误工天数 = "3";
    in.交通费 = "1";
    in.医疗费 = "2";
    in.营养费 = "3";
    in.残疾辅助器具 = "4";
    const auto outcome = runCalculation(in);
    const auto& done = std::get<CalcCompleted>(outcome);
    EXPECT_EQ(done.notice, "请升级") << year;
    const auto& r = done.result;
    for (const auto* zero : {&r.伤残赔偿金, &r.扶养费孩子1, &r.扶养费老人1, &r.扶养费合计,
                             &r.住院伙食补助, &r.住宿费}) {
      EXPECT_EQ(*zero, "0") << year;
    }
    EXPECT_EQ(r.人员1的护理费, "200");
    EXPECT_EQ(r.误工费, "300");
    EXPECT_EQ(r.计算残疾辅助器具, "4");
    EXPECT_EQ(r.合计, "510");
  }
}

TEST(RunCalculation, FactorsFromTheLists) {
  EXPECT_EQ(parentCount("夫妻"), 2);
  EXPECT_EQ(parentCount("单亲"), 1);
  EXPECT_EQ(parentCount(""), 1);
  EXPECT_EQ(parentCount("夫妻 "), 1);
  const std::pair<const char*, float> grades[] = {
      {"一", 1.0f}, {"二", 0.9f}, {"三", 0.8f}, {"四", 0.7f}, {"五", 0.6f}, {"六", 0.5f},
      {"七", 0.4f}, {"八", 0.3f}, {"九", 0.2f}, {"十", 0.1f}, {"", 0.0f},   {"一级", 0.0f}};
  for (auto [text, coefficient] : grades) EXPECT_EQ(gradeCoefficient(text), coefficient) << text;
  EXPECT_EQ(static_cast<double>(gradeCoefficient("二")), 0.89999997615814208984375);
}

}  // namespace
}  // namespace quorvane
