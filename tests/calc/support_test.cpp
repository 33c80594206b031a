#include <gtest/gtest.h>

#include "calc.h"
#include "test_case.h"

namespace quorvane {
namespace {

TEST(SupportYears, ByAgeText) {
  const struct {
    const char* age;
    int child, elder;
  } table[] = {
      {"", 0, 0},     {"0", 0, 0},     {"0.5", 18, 0}, {"1", 17, 0},    {"2.5", 16, 0},
      {"3.5", 14, 0}, {"17", 1, 0},    {"17.5", 0, 0}, {"18", 0, 0},    {"18.5", 0, 20},
      {"60", 0, 20},  {"60.5", 0, 20}, {"61", 0, 19},  {"61.5", 0, 18}, {"70", 0, 10},
      {"74", 0, 6},   {"74.5", 0, 6},  {"75", 0, 5},   {"75.5", 0, 5},  {"90", 0, 5},
      {"-3", 0, 0},   {"abc", 0, 0},   {" ", 0, 0},    {"4岁", 14, 0},
  };
  for (const auto& row : table) {
    EXPECT_EQ(childSupportYears(row.age), row.child) << row.age;
    EXPECT_EQ(elderSupportYears(row.age), row.elder) << row.age;
  }
}

TEST(DependantAmount, RoundsTheYearsTimesCoefficientToSinglePrecision) {
  // 14 × 0.9f is 12.59999942779541015625 in single precision, not 12.6.
  EXPECT_EQ(static_cast<double>(14.0f * 0.9f), 12.59999942779541015625);
  EXPECT_EQ(dependantAmount(14, 2, 0.9f, 21984), 12.59999942779541015625 * 10992);
  EXPECT_EQ(dependantAmount(15, 3, 0.9f, 21984), 98928);
  EXPECT_EQ(dependantAmount(15, 3, 0.9f, 0), 0);
}

struct SupportCase {
  const char* name;
  void (*edit)(CaseInput&);
  std::array<const char*, 11> shown;  // children 1-6, elders 1-4, total
};

// The 2012 worked example: grade 二, 夫妻, child aged 4, elder aged 65, two siblings.
void workedExample(CaseInput& in) {
  in.事故发生日年 = "2012";
  in.伤残等级 = "二";
  in.夫妻或单亲 = "夫妻";
  in.孩子1年龄 = "4";
  in.老人1年龄 = "65";
  in.兄弟姐妹人数 = "2";
}

TEST(DependantsSupport, WorkedExamples) {
  const SupportCase cases[] = {
      {"worked example",
       workedExample,
       {"138499.193710327", "0", "0", "0", "0", "0", "98928", "0", "0", "0", "237427.193710327"}},
      {"grade 一",
       [](CaseInput& in) {
         workedExample(in);
         in.伤残等级 = "一";
       },
       {"153888", "0", "0", "0", "0", "0", "109920", "0", "0", "0", "263808"}},
      {"single parent doubles each child",
       [](CaseInput& in) {
         workedExample(in);
         in.伤残等级 = "一";
         in.夫妻或单亲 = "单亲";
       },
       {"307776", "0", "0", "0", "0", "0", "109920", "0", "0", "0", "417696"}},
      {"no parent text counts as one",
       [](CaseInput& in) {
         workedExample(in);
         in.伤残等级 = "一";
         in.夫妻或单亲 = "";
       },
       {"307776", "0", "0", "0", "0", "0", "109920", "0", "0", "0", "417696"}},
      {"no cap",
       [](CaseInput& in) {
         in.事故发生日年 = "2012";
         in.夫妻或单亲 = "单亲";
         for (auto* age : {&in.孩子1年龄, &in.孩子2年龄, &in.孩子3年龄, &in.孩子4年龄,
                           &in.孩子5年龄, &in.孩子6年龄}) {
           *age = "1";
         }
         for (auto* age : {&in.老人1年龄, &in.老人2年龄, &in.老人3年龄, &in.老人4年龄}) {
           *age = "30";
         }
       },
       {"373728", "373728", "373728", "373728", "373728", "373728", "439680", "439680", "439680",
        "439680", "4001088"}},
      {"no dependants", [](CaseInput&) {}, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
      {"grade not in the list",
       [](CaseInput& in) {
         workedExample(in);
         in.伤残等级 = "十一";
       },
       {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
      {"year without standards",
       [](CaseInput& in) {
         workedExample(in);
         in.事故发生日年 = "2013";
       },
       {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
      // Half a sibling: the share count is 1.5, 2011 base 19934 × 20 years.
      {"fractional siblings",
       [](CaseInput& in) {
         in.老人2年龄 = "40";
         in.兄弟姐妹人数 = "0.5";
       },
       {"0", "0", "0", "0", "0", "0", "0", "265786.666666667", "0", "0", "265786.666666667"}},
      {"siblings in letters count as none",
       [](CaseInput& in) {
         in.老人4年龄 = "40";
         in.兄弟姐妹人数 = "abc";
       },
       {"0", "0", "0", "0", "0", "0", "0", "0", "0", "398680", "398680"}},
  };
  const std::array fields{
      &CaseResult::扶养费孩子1, &CaseResult::扶养费孩子2, &CaseResult::扶养费孩子3,
      &CaseResult::扶养费孩子4, &CaseResult::扶养费孩子5, &CaseResult::扶养费孩子6,
      &CaseResult::扶养费老人1, &CaseResult::扶养费老人2, &CaseResult::扶养费老人3,
      &CaseResult::扶养费老人4, &CaseResult::扶养费合计};
  for (const auto& c : cases) {
    auto in = testing::startupCase();
    c.edit(in);
    const auto result = testing::completed(in);
    for (std::size_t k = 0; k < fields.size(); ++k) {
      EXPECT_EQ(result.*fields[k], c.shown[k]) << c.name << ", field " << k;
    }
  }
}

TEST(DependantsSupport, TotalAddsTheShownTexts) {
  // Three children whose amounts each carry error digits: the total is the sum
  // of the 15-digit texts, not of the unrounded products.
  auto in = testing::startupCase();
  in.伤残等级 = "二";
  in.孩子1年龄 = "4";
  in.孩子2年龄 = "5";
  in.孩子3年龄 = "6";
  const auto result = testing::completed(in);
  const double shown = numberValue(result.扶养费孩子1) + numberValue(result.扶养费孩子2) +
                       numberValue(result.扶养费孩子3);
  EXPECT_EQ(result.扶养费合计, formatAmount(shown));
}

}  // namespace
}  // namespace quorvane
