#include <gtest/gtest.h>

#include <vector>

#include "calc.h"
#include "test_case.h"

namespace quorvane {
namespace {

TEST(ExpenseItems, EachItemFromItsInputs) {
  // Each row sets one or two inputs on top of the start-up case (2011, so the
  // daily rates are 50).
  const struct {
    std::vector<std::pair<std::string CaseInput::*, const char*>> inputs;
    std::string CaseResult::*field;
    const char* expected;
  } cases[] = {
      {{}, &CaseResult::人员1的护理费, "0"},
      {{}, &CaseResult::住宿费, "0"},
      {{}, &CaseResult::计算残疾辅助器具, "0"},
      {{{&CaseInput::护理人员1的工资, "80.1"}, {&CaseInput::人员1的护理天数, "3"}},
       &CaseResult::人员1的护理费,
       "240.3"},
      {{{&CaseInput::护理人员2的工资, "33.333"}, {&CaseInput::人员2的护理天数, "3"}},
       &CaseResult::人员2的护理费,
       "99.999"},
      {{{&CaseInput::最近三年日平均收入, "120.33"}, {&CaseInput::误工天数, "30"}},
       &CaseResult::误工费,
       "3609.9"},
      {{{&CaseInput::住院天数, "7.5"}}, &CaseResult::住院伙食补助, "375"},
      {{{&CaseInput::住院天数, "3天"}}, &CaseResult::住院伙食补助, "150"},
      {{{&CaseInput::住院天数, "1 0"}}, &CaseResult::住院伙食补助, "500"},
      {{{&CaseInput::住院天数, "-2"}}, &CaseResult::住院伙食补助, "-100"},
      {{{&CaseInput::住院天数, "letters"}}, &CaseResult::住院伙食补助, "0"},
      {{{&CaseInput::住宿天数, "10"}}, &CaseResult::住宿费, "500"},
      {{{&CaseInput::医疗费, "2000.50"}}, &CaseResult::计算医疗费, "2000.5"},
      {{{&CaseInput::交通费, "1,200"}}, &CaseResult::计算交通费, "1"},
      {{{&CaseInput::营养费, "abc"}}, &CaseResult::计算营养费, "0"},
      {{{&CaseInput::残疾辅助器具, "3e3"}}, &CaseResult::计算残疾辅助器具, "3000"},
      {{{&CaseInput::护理人员1的工资, "1000000000"}, {&CaseInput::人员1的护理天数, "1000000"}},
       &CaseResult::人员1的护理费,
       "1E+15"},
  };
  for (const auto& c : cases) {
    auto in = testing::startupCase();
    for (const auto& [field, text] : c.inputs) in.*field = text;
    EXPECT_EQ(testing::completed(in).*c.field, c.expected)
        << (c.inputs.empty() ? "" : c.inputs[0].second);
  }
}

TEST(GrandTotal, AddsTheElevenShownTexts) {
  CaseResult r;
  for (const auto& field : resultFields) r.*field.member = "0";
  r.伤残赔偿金 = "523313.986136913";
  r.人员1的护理费 = "240.3";
  r.住院伙食补助 = "600";
  r.误工费 = "3609.9";
  r.住宿费 = "150";
  r.计算交通费 = "1200";
  r.计算医疗费 = "35000.5";
  r.计算营养费 = "600";
  r.扶养费孩子1 = "999";  // dependants enter only through their total
  ASSERT_EQ(computeGrandTotal(r), Status::ok);
  EXPECT_EQ(r.合计, "564714.686136913");
}

TEST(GrandTotal, ReadsAnExponentTextBack) {
  auto in = testing::startupCase();
  in.伤残等级 = "";
  in.护理人员1的工资 = "1000000000";
  in.人员1的护理天数 = "1000000";
  in.交通费 = "5";
  EXPECT_EQ(testing::completed(in).合计, "1E+15");  // 1E+15 + 5 at 15 digits
}

}  // namespace
}  // namespace quorvane
