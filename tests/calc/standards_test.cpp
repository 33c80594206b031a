// A standards table with rows added for later years, as a standards file gives
// them, and the working's note where the law's age gives other years.

#include <gtest/gtest.h>

#include <string>

#include "calc.h"
#include "report.h"
#include "test_case.h"

namespace quorvane {
namespace {

StandardsTable fileTable() {
  StandardsTable table;
  EXPECT_TRUE(table.add("2013", {36469, 24046, 50, 50}, "北京市2012年统计"));
  EXPECT_TRUE(table.add("2024", {88650, 50897, 60, 40}, ""));
  return table;
}

TEST(StandardsTable, AddsYearsButNeverReplacesOrRepeatsOne) {
  StandardsTable table = fileTable();
  EXPECT_FALSE(table.add("2011", {1, 1, 1, 1}, ""));
  EXPECT_FALSE(table.add("2013", {1, 1, 1, 1}, ""));
  EXPECT_EQ(table.find("2011")->values.urbanDisposableIncome, 29073);
  EXPECT_EQ(table.find("2013")->values.urbanDisposableIncome, 36469);
  EXPECT_FALSE(table.find("2013 "));  // the exact text, as for the built-in rows
  ASSERT_EQ(table.rows().size(), 4u);
  EXPECT_EQ(table.rows()[2].accidentYear, "2013");
  EXPECT_EQ(table.rows()[3].source, "");
}

TEST(StandardsTable, ARunGoesByTheFilesRowsAndNamesThem) {
  const StandardsTable table = fileTable();
  auto in = testing::startupCase();
  in.事故发生日年 = "2024";
  in.住院天数 = "10";
  in.住宿天数 = "2";
  in.孩子1年龄 = "8";
  CaseWorking working;
  const auto outcome = runCalculation(in, table, &working);
  const auto& done = std::get<CalcCompleted>(outcome);
  EXPECT_FALSE(done.notice);
  EXPECT_EQ(done.result.伤残赔偿金, "1773000");  // 88650 × 20
  EXPECT_EQ(done.result.住院伙食补助, "600");
  EXPECT_EQ(done.result.住宿费, "80");
  EXPECT_EQ(done.result.扶养费孩子1, "254485");  // 50897 / 2 × 10
  EXPECT_NE(working.伤残赔偿金.find("2024年标准（标准文件）"), std::string::npos);
  EXPECT_NE(working.住院伙食补助.find("2024年标准（标准文件）"), std::string::npos);
  EXPECT_NE(working.扶养费合计.find("2024年标准（标准文件）：扶养基数 50897"), std::string::npos);
  // A row's average wage is for items outside the 22: they stay as they were.
  StandardsTable withWage;
  EXPECT_TRUE(withWage.add("2024", {88650, 50897, 60, 40, 101599}, ""));
  const auto sameCase = std::get<CalcCompleted>(runCalculation(in, withWage));
  for (const auto& field : resultFields)
    EXPECT_EQ(sameCase.result.*field.member, done.result.*field.member) << field.name;

  in.事故发生日年 = "2013";
  (void)runCalculation(in, table, &working);
  EXPECT_NE(working.伤残赔偿金.find("2013年标准（标准文件，来源：北京市2012年统计）"),
            std::string::npos);
  const auto report = reportText(reportFor(in, table), "-");
  EXPECT_NE(report.find("标准来源：2013年标准（标准文件，来源：北京市2012年统计）"),
            std::string::npos);
  EXPECT_NE(report.find("城镇居民人均可支配收入：36469 元/年"), std::string::npos);

  // Without the table the same case is a year without standards, as before.
  EXPECT_EQ(std::get<CalcCompleted>(runCalculation(in)).notice, "请升级");
  // Built-in rows keep their plain name.
  in.事故发生日年 = "2012";
  (void)runCalculation(in, table, &working);
  EXPECT_NE(working.伤残赔偿金.find("2012年标准："), std::string::npos);
}

TEST(StandardsTable, TheLargestIncomeAFileMayGiveStaysExact) {
  StandardsTable table;
  table.add("2030", {2147483647, 2147483647, 32767, 32767}, "");
  auto in = testing::startupCase();
  in.事故发生日年 = "2030";
  EXPECT_EQ(std::get<CalcCompleted>(runCalculation(in, table)).result.伤残赔偿金, "42949672940");
}

struct AgeCase {
  const char* what;
  const char* born[3];
  const char* accident[3];
  const char* note;  // nullptr: no note
};

TEST(CalendarAge, TheWorkingNotesAnAgeThatGivesOtherYears) {
  const AgeCase cases[]{
      {"60 by birthdays, 61 by 365-day blocks",
       {"1950", "1", "10"},
       {"2011", "1", "1"},
       "注意：按周岁计为 60 岁、赔偿 20 年；本计算按每 365 天计为 61 岁、19 年"},
      {"62 and 63",
       {"1950", "1", "10"},
       {"2013", "1", "1"},
       "注意：按周岁计为 62 岁、赔偿 18 年；本计算按每 365 天计为 63 岁、17 年"},
      {"under a year by birthdays",
       {"2011", "3", "1"},
       {"2012", "2", "29"},
       "注意：按周岁计为 0 岁、不予赔偿；本计算按每 365 天计为 1 岁、20 年"},
      {"both 59, same years", {"1951", "1", "15"}, {"2011", "1", "1"}, nullptr},
      {"both over 75", {"1930", "6", "20"}, {"2011", "6", "1"}, nullptr},
      {"the birthday itself", {"1950", "6", "1"}, {"2011", "6", "1"}, nullptr},
      {"carried birth date: born 2 March",
       {"1950", "2", "30"},
       {"2011", "3", "1"},
       "注意：按周岁计为 60 岁、赔偿 20 年；本计算按每 365 天计为 61 岁、19 年"},
      {"carried birth date, birthday reached", {"1950", "2", "30"}, {"2011", "3", "2"}, nullptr},
  };
  for (const auto& c : cases) {
    auto in = testing::startupCase();
    in.受害人生日年 = c.born[0], in.受害人生日月 = c.born[1], in.受害人生日日 = c.born[2];
    in.事故发生日年 = c.accident[0], in.事故发生日月 = c.accident[1],
    in.事故发生日日 = c.accident[2];
    CaseWorking working;
    const auto outcome = runCalculation(in, fileTable(), &working);
    const auto with = std::get<CalcCompleted>(outcome).result.伤残赔偿金;
    EXPECT_EQ(with, std::get<CalcCompleted>(runCalculation(in, fileTable())).result.伤残赔偿金)
        << c.what;  // the note changes no amount
    const auto at = working.伤残赔偿金.find("注意：");
    if (c.note == nullptr) {
      EXPECT_EQ(at, std::string::npos) << c.what << "\n" << working.伤残赔偿金;
    } else {
      EXPECT_EQ(working.伤残赔偿金.substr(at == std::string::npos ? 0 : at), c.note) << c.what;
    }
  }
}

TEST(CalendarAge, CountsFromBirthdayToBirthday) {
  const auto days = [](int y, int m, int d) { return dayNumber(y, m, d); };
  EXPECT_EQ(calendarAge(days(1950, 1, 10), days(2011, 1, 1)), 60);
  EXPECT_EQ(calendarAge(days(1950, 1, 10), days(2011, 1, 10)), 61);
  EXPECT_EQ(calendarAge(days(2000, 2, 29), days(2001, 2, 28)), 0);  // a leap-day birthday
  EXPECT_EQ(calendarAge(days(2000, 2, 29), days(2001, 3, 1)), 1);
  EXPECT_EQ(calendarAge(days(2011, 6, 1), days(2010, 6, 1)), -1);
}

}  // namespace
}  // namespace quorvane
