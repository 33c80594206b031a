#include <gtest/gtest.h>

#include "calc.h"
#include "test_case.h"

namespace quorvane {
namespace {

TEST(DayNumber, CarriesDaysAndMonths) {
  EXPECT_EQ(dayNumber(2011, 2, 30), dayNumber(2011, 3, 2));
  EXPECT_EQ(dayNumber(2012, 2, 30), dayNumber(2012, 3, 1));
  EXPECT_EQ(dayNumber(2011, 4, 31), dayNumber(2011, 5, 1));
  EXPECT_EQ(dayNumber(2011, 13, 1), dayNumber(2012, 1, 1));
  EXPECT_EQ(dayNumber(2011, 0, 1), dayNumber(2010, 12, 1));
  EXPECT_EQ(dayNumber(2011, 1, 0), dayNumber(2010, 12, 31));
  EXPECT_EQ(dayNumber(1970, 1, 1), 0);
  EXPECT_EQ(dayNumber(2000, 3, 1) - dayNumber(2000, 2, 28), 2);  // 2000 is a leap year
  EXPECT_EQ(dayNumber(1900, 3, 1) - dayNumber(1900, 2, 28), 1);  // 1900 is not
  // The extremes a 16-bit date part can reach stay exact.
  EXPECT_EQ(dayNumber(32767, 32767, 32767) - dayNumber(32767, 32766, 32767), 30);  // June
  EXPECT_LT(dayNumber(-32768, -32768, -32768), dayNumber(-32768, -32768, -32767));
}

TEST(AgeAtAccident, CountsWholeBlocksOf365Days) {
  const struct {
    int by, bm, bd, ay, am, ad;
    std::int64_t days, age;
    int years;
  } cases[] = {
      {1950, 1, 10, 2011, 1, 1, 22271, 61, 19},
      {1951, 1, 15, 2011, 1, 1, 21901, 60, 20},
      {1936, 6, 1, 2011, 6, 1, 27393, 75, 5},
      {1936, 6, 20, 2011, 6, 1, 27374, 74, 6},
  };
  for (const auto& c : cases) {
    const auto birth = dayNumber(c.by, c.bm, c.bd);
    const auto accident = dayNumber(c.ay, c.am, c.ad);
    EXPECT_EQ(accident - birth, c.days);
    EXPECT_EQ(ageAtAccident(birth, accident), c.age);
    EXPECT_EQ(compensationYears(c.age), c.years);
  }
  EXPECT_EQ(ageAtAccident(0, 364), 0);
  EXPECT_EQ(ageAtAccident(0, 365), 1);
  EXPECT_EQ(ageAtAccident(400, 0), -1);
}

TEST(CompensationYears, FallsWithAge) {
  const std::pair<int, int> table[] = {{1, 20}, {60, 20}, {61, 19}, {70, 10},
                                       {74, 6}, {75, 5},  {120, 5}};
  for (auto [age, years] : table) EXPECT_EQ(compensationYears(age), years) << age;
}

struct GradeRow {
  const char* year;
  const char* birthYear;  // accident 2011-11-11 or 2012-11-11
  const char* grade;
  const char* text;
};

// Income × years × the single-precision grade coefficient.
TEST(DisabilityCompensation, WorkedAmountsByIncomeYearsAndGrade) {
  const GradeRow rows[] = {
      {"2011", "1980", "一", "581460"},           {"2011", "1980", "二", "523313.986136913"},
      {"2011", "1980", "三", "465168.006931543"}, {"2011", "1980", "六", "290730"},
      {"2011", "1980", "十", "58146.0008664429"}, {"2011", "1950", "一", "552387"},
      {"2011", "1950", "二", "497148.286830068"}, {"2011", "1950", "三", "441909.606584966"},
      {"2011", "1950", "六", "276193.5"},         {"2011", "1950", "十", "55238.7008231208"},
      {"2012", "1980", "一", "658060"},           {"2012", "1980", "二", "592253.984310627"},
      {"2012", "1980", "三", "526448.007844687"}, {"2012", "1980", "六", "329030"},
      {"2012", "1980", "十", "65806.0009805858"}, {"2012", "1920", "一", "164515"},
      {"2012", "1920", "二", "148063.496077657"}, {"2012", "1920", "三", "131612.001961172"},
      {"2012", "1920", "六", "82257.5"},          {"2012", "1920", "十", "16451.5002451465"},
  };
  for (const auto& row : rows) {
    auto in = testing::startupCase();
    in.事故发生日年 = row.year;
    in.受害人生日年 = row.birthYear;
    in.受害人生日月 = "1";
    in.受害人生日日 = "1";
    in.伤残等级 = row.grade;
    EXPECT_EQ(testing::completed(in).伤残赔偿金, row.text)
        << row.year << row.birthYear << row.grade;
  }
}

TEST(DisabilityCompensation, ZeroCases) {
  const struct {
    const char* name;
    void (*edit)(CaseInput&);
  } cases[] = {
      {"born under 365 days before",
       [](CaseInput& in) {
         in.受害人生日年 = "2011";
         in.受害人生日月 = "1";
       }},
      {"born after the accident", [](CaseInput& in) { in.受害人生日年 = "2012"; }},
      {"no grade", [](CaseInput& in) { in.伤残等级 = ""; }},
      {"grade text not exact", [](CaseInput& in) { in.伤残等级 = "一级"; }},
      {"year without standards", [](CaseInput& in) { in.事故发生日年 = "2013"; }},
  };
  for (const auto& c : cases) {
    auto in = testing::startupCase();
    c.edit(in);
    EXPECT_EQ(testing::completed(in).伤残赔偿金, "0") << c.name;
  }
}

TEST(DisabilityCompensation, BirthDayThirtiethOfFebruaryCountsAsMarch) {
  // 2 March 1951 to 1 March 2011 is 21913 days (60 blocks); 30 February must read as 2 March.
  auto in = testing::startupCase();
  in.受害人生日年 = "1951";
  in.受害人生日月 = "2";
  in.受害人生日日 = "30";
  in.事故发生日月 = "3";
  in.事故发生日日 = "1";
  EXPECT_EQ(ageAtAccident(dayNumber(1951, 2, 30), dayNumber(2011, 3, 1)),
            ageAtAccident(dayNumber(1951, 3, 2), dayNumber(2011, 3, 1)));
  EXPECT_EQ(testing::completed(in).伤残赔偿金, "581460");
}

}  // namespace
}  // namespace quorvane
