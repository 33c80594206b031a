#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standards_edit.h"

namespace quorvane::standards {
namespace {

const std::string kHeader =
    "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准,"
    "职工平均工资,来源\n";

StandardsTable tableOf(const std::string& rows) {
  auto read = readStandardsFile(kHeader + rows);
  EXPECT_TRUE(std::holds_alternative<StandardsTable>(read)) << rows;
  return std::holds_alternative<StandardsTable>(read) ? std::get<StandardsTable>(read)
                                                      : StandardsTable{};
}

std::vector<std::string> years(const std::vector<RowTexts>& rows) {
  std::vector<std::string> out;
  for (const auto& row : rows) out.push_back(row[0]);
  return out;
}

TEST(StandardsRows, AFaultNamesItsRowAndCell) {
  const RowTexts good{"2013", "36469", "24046", "50", "50", ""};
  auto with = [&](std::size_t column, std::string text) {
    RowTexts row = good;
    row[0] = "2026";
    row[column] = std::move(text);
    return std::vector<RowTexts>{good, row};
  };
  struct Fault {
    std::vector<RowTexts> rows;
    std::size_t row, column;
    std::string said;  // the editor's message
  };
  const std::vector<Fault> faults{
      {with(0, "20260"), 2, 0, "第 4 行：年度“20260”不是四位数字"},
      {with(0, "2013"), 2, 0, "第 4 行：2013 年度在文件中出现了两次"},
      {with(0, "2011"), 2, 0, "第 4 行：2011 年度是内置标准，标准文件不能替换"},
      {{RowTexts{"", "1", "1", "1", "1", ""}}, 1, 0, "第 3 行：年度“”不是四位数字"},
      {with(1, "-1"), 2, 1, "第 4 行：城镇居民人均可支配收入“-1”不是整数"},
      {with(2, "1.5"), 2, 2, "第 4 行：城镇居民人均消费性支出“1.5”不是整数"},
      {with(3, ""), 2, 3, "第 4 行：住院伙食补助标准“”不是整数"},
      {with(4, "32768"), 2, 4, "第 4 行：住宿补助标准“32768”超过了上限 32767"},
      {with(1, "2147483648"), 2, 1, "第 4 行：城镇居民人均可支配收入“2147483648”超过了上限"},
      {with(5, "6.2万"), 2, 5, "第 4 行：职工平均工资“6.2万”不是整数"},
      {with(5, "2147483648"), 2, 5, "第 4 行：职工平均工资“2147483648”超过了上限 2147483647"},
  };
  for (const auto& fault : faults) {
    const auto read = readStandardsRows(fault.rows);
    const auto* error = std::get_if<FileError>(&read);
    ASSERT_NE(error, nullptr) << fault.said;
    EXPECT_EQ(error->row, fault.row) << fault.said;
    EXPECT_EQ(error->column, fault.column) << fault.said;
    EXPECT_EQ(describeRowChinese(*error).rfind(fault.said, 0), 0u) << describeRowChinese(*error);
  }
}

TEST(StandardsRows, TheFileReaderNamesTheCellByItsColumnNotItsPlace) {
  const auto read = readStandardsFile(
      "来源,住宿补助标准,年度,住院伙食补助标准,城镇居民人均消费性支出,城镇居民人均可支配收入\n"
      "甲,50,2013,50,24046,36469\n乙,50,2014,50,26275,四万\n");
  const auto& error = std::get<FileError>(read);
  EXPECT_EQ(error.line, 3u);
  EXPECT_EQ(error.row, 2u);
  EXPECT_EQ(error.column, 1u);

  const auto wage = readStandardsFile(
      "职工平均工资,来源,住宿补助标准,年度,住院伙食补助标准,城镇居民人均消费性支出,"
      "城镇居民人均可支配收入\n,甲,50,2013,50,24046,36469\n6万,乙,50,2014,50,26275,40321\n");
  EXPECT_EQ(std::get<FileError>(wage).row, 2u);
  EXPECT_EQ(std::get<FileError>(wage).column, 5u);

  const auto short_row = readStandardsFile(kHeader + "2013,1,1,1,1,,\n\n2014,1,1\n");
  EXPECT_EQ(std::get<FileError>(short_row).row, 2u);
  EXPECT_FALSE(std::get<FileError>(short_row).column);
}

TEST(StandardsRows, WhatTheEditorWritesTheReaderReadsBack) {
  const std::vector<RowTexts> rows{
      {"2024", "88650", "50897", "50", "50", "2147483647", "公报, \"第 1 号\"\n第二行"},
      {"2016", "52859", "36642", "50", "50", "0", ""},  // a wage of 0, not none
      {"2013", "0036469", "0", "32767", "0", "", ""},
  };
  const auto table = std::get<StandardsTable>(readStandardsRows(rows));
  const std::string text = standardsFileText(table);
  EXPECT_TRUE(text.starts_with(kHeader)) << text;
  const auto again = std::get<StandardsTable>(readStandardsFile(text));
  EXPECT_EQ(standardsCsv(again), standardsCsv(table));
  const auto shown = fileRowTexts(again);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], rows[0]);
  EXPECT_EQ(shown[1], rows[1]);
  EXPECT_EQ(shown[2], (RowTexts{"2013", "36469", "0", "32767", "0", "", ""}));
  EXPECT_EQ(standardsFileText(StandardsTable{}), kHeader);
}

TEST(StandardsEditor, ShowsTheBuiltInRowsThenTheFileRowsNewestFirst) {
  EXPECT_EQ(years(builtInRowTexts()), (std::vector<std::string>{"2012", "2011"}));
  EXPECT_EQ(builtInRowTexts()[1], (RowTexts{"2011", "29073", "19934", "50", "50", "", "内置"}));
  EXPECT_EQ(years(fileRowTexts(tableOf("2013,1,1,1,1,,\n2024,1,1,1,1,,\n2016,1,1,1,1,,\n"))),
            (std::vector<std::string>{"2024", "2016", "2013"}));
}

TEST(StandardsEditor, AddsThePickedYearOrTheNextOne) {
  const RowTexts y2024{"2024", "88650", "50897", "60", "40", "101599", ""};
  const RowTexts y2013{"2013", "36469", "24046", "50", "50", ""};
  struct Case {
    std::vector<RowTexts> rows;
    std::string picked;
    std::vector<std::string> after;
    std::size_t index;
    std::string meal, lodging;
  };
  const std::vector<Case> cases{
      {{}, "2026", {"2026"}, 0, "50", "50"},
      {{}, "", {"2013"}, 0, "50", "50"},
      {{}, "2011", {"2013"}, 0, "50", "50"},  // built in: the year after the newest
      {{y2024, y2013}, "2016", {"2024", "2016", "2013"}, 1, "60", "40"},
      {{y2024, y2013}, "2024", {"2025", "2024", "2013"}, 0, "60", "40"},
      {{y2024, y2013}, "2010", {"2024", "2013", "2010"}, 2, "60", "40"},
      {{RowTexts{"20300"}, y2013}, "2013", {"20300", "2014", "2013"}, 1, "50", "50"},
  };
  for (const auto& c : cases) {
    auto rows = c.rows;
    const std::size_t index = addRow(rows, c.picked);
    EXPECT_EQ(years(rows), c.after) << c.picked;
    ASSERT_EQ(index, c.index) << c.picked;
    EXPECT_EQ(rows[index][1], "") << c.picked;
    EXPECT_EQ(rows[index][3], c.meal) << c.picked;
    EXPECT_EQ(rows[index][4], c.lodging) << c.picked;
    EXPECT_EQ(rows[index][5], "") << c.picked;  // the rates are carried over, the wage is not
  }
}

TEST(StandardsEditor, ImportReplacesOrKeepsTheYearsTheTableHolds) {
  const std::vector<RowTexts> mine{{"2024", "1", "1", "1", "1", "", "mine"},
                                   {"2013", "2", "2", "2", "2", "2", "mine"}};
  const auto imported =
      tableOf("2014,40321,26275,50,50,69521,年鉴\n2024,88650,50897,50,50,,公报\n");
  EXPECT_EQ(conflictingYears(mine, imported), (std::vector<std::string>{"2024"}));
  EXPECT_TRUE(conflictingYears(mine, tableOf("2016,1,1,1,1,,\n")).empty());
  auto twice = mine;
  twice.push_back(mine[0]);  // unsaved: 保存 would refuse it
  EXPECT_EQ(conflictingYears(twice, imported), (std::vector<std::string>{"2024"}));
  // A built-in year typed into the table is not one the imported file holds.
  auto typedBuiltIn = mine;
  typedBuiltIn.insert(typedBuiltIn.begin() + 1, RowTexts{"2012", "3", "3", "3", "3", ""});
  EXPECT_EQ(conflictingYears(typedBuiltIn, imported), (std::vector<std::string>{"2024"}));

  const auto replaced = importRows(mine, imported, true);
  EXPECT_EQ(years(replaced), (std::vector<std::string>{"2024", "2014", "2013"}));
  EXPECT_EQ(replaced[0][6], "公报");
  EXPECT_EQ(replaced[1], (RowTexts{"2014", "40321", "26275", "50", "50", "69521", "年鉴"}));
  const auto kept = importRows(mine, imported, false);
  EXPECT_EQ(years(kept), (std::vector<std::string>{"2024", "2014", "2013"}));
  EXPECT_EQ(kept[0][6], "mine");

  EXPECT_EQ(conflictQuestionChinese({"2024", "2013"})
                .rfind("导入的文件中以下年度表中已有：2024、2013。", 0),
            0u);
}

}  // namespace
}  // namespace quorvane::standards
