#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "standards_file.h"

namespace quorvane::standards {
namespace {

const std::string kHeader =
    "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准";

struct Refusal {
  const char* what;
  std::string text;
  std::size_t line;
  std::string inReason;  // part of the English reason
};

TEST(StandardsFile, RefusesEveryFaultWithItsLine) {
  const std::string good = "2013,36469,24046,50,50\n";
  const std::vector<Refusal> refusals{
      {"empty file", "", 1, "no header row"},
      {"missing column", "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准\n", 1,
       "lacks the column 住宿补助标准"},
      {"unknown column", kHeader + ",备注\n", 1, "\"备注\" in the header is not"},
      {"repeated column", kHeader + ",年度\n", 1, "\"年度\" stands twice"},
      {"too few fields", kHeader + "\n" + good + "2014,40321,26275,50\n", 3, "has 4 fields"},
      {"too many fields", kHeader + "\n2014,40321,26275,50,50,9\n", 2, "has 6 fields"},
      {"year of two digits", kHeader + "\n13,36469,24046,50,50\n", 2, "\"13\" is not four digits"},
      {"year with a blank", kHeader + "\n 2013,36469,24046,50,50\n", 2, "is not four digits"},
      {"full-width year", kHeader + "\n２０１３,36469,24046,50,50\n", 2, "is not four digits"},
      {"decimal point", kHeader + "\n2013,36469.5,24046,50,50\n", 2, "\"36469.5\" is not a whole"},
      {"sign", kHeader + "\n2013,+36469,24046,50,50\n", 2, "\"+36469\" is not a whole"},
      {"unit", kHeader + "\n2013,36469元,24046,50,50\n", 2, "is not a whole"},
      {"grouping", kHeader + "\n2013,\"36,469\",24046,50,50\n", 2, "is not a whole"},
      {"empty value", kHeader + "\n2013,36469,,50,50\n", 2, "\"\" is not a whole"},
      {"income out of range", kHeader + "\n2013,2147483648,24046,50,50\n", 2, "above 2147483647"},
      {"huge income", kHeader + "\n2013,99999999999999999999999,24046,50,50\n", 2, "above"},
      {"rate out of range", kHeader + "\n2013,36469,24046,32768,50\n", 2, "above 32767"},
      {"wage with a point", kHeader + ",职工平均工资\n2013,36469,24046,50,50,62677.5\n", 2,
       "职工平均工资 \"62677.5\" is not a whole"},
      {"wage out of range", kHeader + ",职工平均工资\n2013,1,1,1,1,\n2014,1,1,1,1,2147483648\n", 3,
       "职工平均工资 \"2147483648\" is above 2147483647"},
      {"wage column twice", kHeader + ",职工平均工资,职工平均工资\n", 1, "stands twice"},
      {"built-in year", kHeader + "\n" + good + "2012,1,1,1,1\n", 3, "2012 is built in"},
      {"year twice", kHeader + "\n" + good + "\n" + good, 4, "2013 stands twice"},
      {"bad row after CRLF empty lines", kHeader + "\r\n2013,1,1,1,1\r\n\r\n\r\n2014,1,1,1\r\n", 5,
       "has 4 fields"},
      {"bad row after CR empty lines", kHeader + "\r2013,1,1,1,1\r\r\r2014,1,1,1\r", 5,
       "has 4 fields"},
      {"broken quoting", kHeader + "\n2013,36469,24046,50,5\"0\n", 2, "broken quoting"},
      {"unclosed quote", kHeader + ",来源\n" + "2013,36469,24046,50,50,\"open\n\n", 2,
       "not closed"},
      {"not UTF-8", kHeader + "\n2013,36469,24046,50,50\n2014,1,1,1,1\xB1\xB1\n", 3, "not UTF-8"},
  };
  for (const auto& refusal : refusals) {
    const auto read = readStandardsFile(refusal.text);
    const auto* error = std::get_if<FileError>(&read);
    ASSERT_NE(error, nullptr) << refusal.what;
    EXPECT_EQ(error->line, refusal.line) << refusal.what << ": " << error->reason;
    EXPECT_NE(error->reason.find(refusal.inReason), std::string::npos)
        << refusal.what << ": " << error->reason;
    EXPECT_FALSE(error->reasonChinese.empty()) << refusal.what;
    EXPECT_EQ(error->reason.find('\n'), std::string::npos) << refusal.what;
  }
}

// A year is four digits exactly, and a figure's digits are read in 64 bits
// only while they cannot wrap: 18446744073709551617 is 2^64 + 1, which a
// wrapped reading takes for 1. Each row goes through the file reader and
// through readStandardsRows, which must judge it alike.
TEST(StandardsFile, YearsOfFourDigitsAndFiguresOfAnyLength) {
  constexpr std::size_t yearColumn = 0, incomeColumn = 1, mealColumn = 3, wageColumn = 5;
  const struct {
    RowTexts row;
    std::optional<std::size_t> faultColumn;  // empty: accepted
    const char* inReason;                    // part of the English reason when refused
  } cases[] = {
      {{"2013", "36469", "24046", "50", "50", ""}, {}, ""},
      {{"9999", "36469", "24046", "50", "50", ""}, {}, ""},
      {{"20130", "36469", "24046", "50", "50", ""}, yearColumn, "\"20130\" is not four digits"},
      {{"02013", "36469", "24046", "50", "50", ""}, yearColumn, "is not four digits"},
      {{"201300000", "36469", "24046", "50", "50", ""}, yearColumn, "is not four digits"},
      {{"201", "36469", "24046", "50", "50", ""}, yearColumn, "is not four digits"},
      {{"", "36469", "24046", "50", "50", ""}, yearColumn, "is not four digits"},
      {{"2013", "0000000000036469", "24046", "50", "50", ""}, {}, ""},  // leading zeros
      {{"2013", "00000000000000000000000000", "24046", "50", "50", ""}, {}, ""},
      {{"2013", "9999999999", "24046", "50", "50", ""}, incomeColumn, "above 2147483647"},
      {{"2013", "10000000000", "24046", "50", "50", ""}, incomeColumn, "above 2147483647"},
      {{"2013", "99999999999", "24046", "50", "50", ""}, incomeColumn, "above 2147483647"},
      {{"2013", "4294967297", "24046", "50", "50", ""}, incomeColumn, "above"},  // 2^32 + 1
      {{"2013", "9223372036854775807", "24046", "50", "50", ""}, incomeColumn, "above"},
      {{"2013", "18446744073709551615", "24046", "50", "50", ""}, incomeColumn, "above"},
      {{"2013", "18446744073709551617", "24046", "50", "50", ""}, incomeColumn, "above"},
      {{"2013", "18446744073709587938", "24046", "50", "50", ""},
       incomeColumn,
       "above"},  // 2^64 + 36322
      {{"2013", "184467440737095516170", "24046", "50", "50", ""}, incomeColumn, "above"},
      {{"2013", "36469", "24046", "18446744073709551666", "50", ""}, mealColumn, "above 32767"},
      {{"2013", "36469", "24046", "00018446744073709551617", "50", ""}, mealColumn, "above 32767"},
      {{"2013", "36469", "24046", "50", "50", "0"}, {}, ""},  // a wage of 0 is one
      {{"2013", "36469", "24046", "50", "50", "0000062677"}, {}, ""},
      {{"2013", "36469", "24046", "50", "50", "2147483647"}, {}, ""},
      {{"2013", "36469", "24046", "50", "50", "2147483648"}, wageColumn, "above 2147483647"},
      {{"2013", "36469", "24046", "50", "50", "18446744073709551617"}, wageColumn, "above"},
      {{"2013", "36469", "24046", "50", "50", "-1"}, wageColumn, "\"-1\" is not a whole"},
      {{"2013", "36469", "24046", "50", "50", " "}, wageColumn, "is not a whole"},
  };
  for (const auto& c : cases) {
    const std::string what = c.row[0] + "," + c.row[1] + "," + c.row[3] + "," + c.row[5];
    std::string line;
    for (std::size_t column = 0; column < 6; ++column)
      line += (column > 0 ? "," : "") + c.row[column];
    const auto fromFile = readStandardsFile(kHeader + ",职工平均工资\n" + line + "\n");
    const auto fromRows = readStandardsRows({c.row});
    if (!c.faultColumn) {
      ASSERT_TRUE(std::holds_alternative<StandardsTable>(fromFile))
          << what << ": " << std::get<FileError>(fromFile).reason;
      ASSERT_TRUE(std::holds_alternative<StandardsTable>(fromRows)) << what;
      const auto fileRow = std::get<StandardsTable>(fromFile).find(c.row[0]);
      ASSERT_TRUE(fileRow) << what;
      const auto income = std::stoll(c.row[1]);
      EXPECT_EQ(fileRow->values.urbanDisposableIncome, income) << what;
      EXPECT_EQ(std::get<StandardsTable>(fromRows).find(c.row[0])->values.urbanDisposableIncome,
                income)
          << what;
      const auto wage = c.row[5].empty() ? std::nullopt : std::optional(std::stoi(c.row[5]));
      EXPECT_EQ(fileRow->values.averageWage, wage) << what;
      EXPECT_EQ(std::get<StandardsTable>(fromRows).find(c.row[0])->values.averageWage, wage)
          << what;
      continue;
    }
    for (const auto* read : {&fromFile, &fromRows}) {
      const auto* error = std::get_if<FileError>(read);
      ASSERT_NE(error, nullptr) << what;
      EXPECT_EQ(error->row, 1u) << what;
      EXPECT_EQ(error->column, c.faultColumn) << what << ": " << error->reason;
      EXPECT_NE(error->reason.find(c.inReason), std::string::npos) << what << ": " << error->reason;
    }
    EXPECT_EQ(std::get<FileError>(fromFile).line, 2u) << what;
  }
}

// A file without the 职工平均工资 column reads as one whose rows leave it empty.
TEST(StandardsFile, AcceptsTheFormsASpreadsheetSaves) {
  const std::string wageHeader = kHeader + ",职工平均工资,来源\n";
  const struct {
    const char* what;
    std::string text;
    std::optional<std::int32_t> wage;
  } forms[] = {
      {"plain", kHeader + ",来源\n2013,36469,24046,50,45,公报\n", {}},
      {"shuffled columns",
       "来源,住宿补助标准,年度,住院伙食补助标准,城镇居民人均消费性支出,"
       "城镇居民人均可支配收入\n公报,45,2013,50,24046,36469\n",
       {}},
      {"byte-order mark and CRLF",
       "\xEF\xBB\xBF" + kHeader + ",来源\r\n2013,36469,24046,50,45,公报\r\n",
       {}},
      {"empty lines", "\n" + kHeader + ",来源\n\n\n2013,36469,24046,50,45,公报\n\n", {}},
      {"quoted fields",
       "\"年度\"," + kHeader.substr(kHeader.find(',') + 1) +
           ",来源\n\"2013\",36469,24046,50,45,\"公报\"\n",
       {}},
      {"no line end at the end", kHeader + ",来源\n2013,36469,24046,50,45,公报", {}},
      {"with a wage", wageHeader + "2013,36469,24046,50,45,62677,公报\n", 62677},
      {"wage left empty", wageHeader + "2013,36469,24046,50,45,,公报\n", {}},
      {"wage quoted", wageHeader + "2013,36469,24046,50,45,\"62677\",公报\n", 62677},
      {"wage shuffled in",
       "职工平均工资,来源,住宿补助标准,年度,住院伙食补助标准,城镇居民人均消费性支出,"
       "城镇居民人均可支配收入\n62677,公报,45,2013,50,24046,36469\n",
       62677},
  };
  for (const auto& [what, text, wage] : forms) {
    const auto read = readStandardsFile(text);
    ASSERT_TRUE(std::holds_alternative<StandardsTable>(read))
        << what << ": " << std::get<FileError>(read).reason;
    const auto row = std::get<StandardsTable>(read).find("2013");
    ASSERT_TRUE(row) << what;
    EXPECT_TRUE(row->fromFile);
    EXPECT_EQ(row->values.urbanDisposableIncome, 36469) << what;
    EXPECT_EQ(row->values.supportBase, 24046) << what;
    EXPECT_EQ(row->values.mealAllowancePerDay, 50) << what;
    EXPECT_EQ(row->values.lodgingAllowancePerDay, 45) << what;
    EXPECT_EQ(row->values.averageWage, wage) << what;
    EXPECT_EQ(row->source, "公报") << what;
  }
}

TEST(StandardsFile, KeepsSourcesAndBoundsAndListsTheTableInForce) {
  const auto read =
      readStandardsFile(kHeader +
                        ",职工平均工资,来源\n2024,2147483647,0,32767,0,2147483647,\"统计公报, "
                        "第 1 号\"\n2013,0036469,24046,50,50,,\n");
  ASSERT_TRUE(std::holds_alternative<StandardsTable>(read));
  const auto& table = std::get<StandardsTable>(read);
  EXPECT_EQ(table.find("2024")->values.urbanDisposableIncome, 2147483647);
  EXPECT_EQ(table.find("2013")->values.urbanDisposableIncome, 36469);
  EXPECT_FALSE(table.find("2011")->fromFile);
  EXPECT_FALSE(table.find("2014"));
  EXPECT_EQ(standardsCsv(table),
            kHeader +
                ",职工平均工资,来源\n2011,29073,19934,50,50,,内置\n2012,32903,21984,50,50,,内置\n"
                "2024,2147483647,0,32767,0,2147483647,\"统计公报, 第 1 号\"\n"
                "2013,36469,24046,50,50,,\n");
}

// Where a refusal is shown: the file and its line, line 1 included, or the
// file alone for a fault with no line (a row from the standards editor).
TEST(StandardsFile, ARefusalIsPlacedByItsLine) {
  const struct {
    std::variant<StandardsTable, FileError> read;
    std::string place;
    std::string chinese;
  } cases[] = {
      {readStandardsFile(""), "f.csv:1", "f.csv 第 1 行：文件是空的：没有标题行"},
      {readStandardsFile(kHeader + ",年度\n"), "f.csv:1",
       "f.csv 第 1 行：标题行中的“年度”出现了两次"},
      {readStandardsFile(kHeader + "\n2013,1,1,1,1\n2013,1,1,1,1\n"), "f.csv:3",
       "f.csv 第 3 行：2013 年度在文件中出现了两次"},
      {readStandardsRows({{"2013", "1", "1", "1", "1", ""}, {"2013", "1", "1", "1", "1", ""}}),
       "f.csv", "f.csv：2013 年度在文件中出现了两次"},
  };
  for (const auto& c : cases) {
    const auto* error = std::get_if<FileError>(&c.read);
    ASSERT_NE(error, nullptr) << c.place;
    EXPECT_EQ(place("f.csv", *error), c.place);
    EXPECT_EQ(describeChinese("f.csv", *error), c.chinese);
  }
}

TEST(StandardsFile, LivesInTheUsersConfigFolder) {
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string keepConfig = savedConfig ? savedConfig : "",
                    keepHome = savedHome ? savedHome : "";
  ::setenv("HOME", "/home/someone", 1);
  ::setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
  EXPECT_EQ(userStandardsPath(), "/tmp/config/quorvane/standards.csv");
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
  EXPECT_EQ(userStandardsPath(), "/home/someone/.config/quorvane/standards.csv");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(userStandardsPath(), "/home/someone/.config/quorvane/standards.csv");
  savedConfig ? ::setenv("XDG_CONFIG_HOME", keepConfig.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  savedHome ? ::setenv("HOME", keepHome.c_str(), 1) : ::unsetenv("HOME");
}

TEST(StandardsFile, AMissingFileIsNoFileUnlessRequired) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("quorvane-standards-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string missing = (dir / "missing.csv").string();
  const auto optional = loadStandardsFile(missing, false);
  ASSERT_TRUE(std::holds_alternative<std::optional<StandardsTable>>(optional));
  EXPECT_FALSE(std::get<std::optional<StandardsTable>>(optional));
  const auto required = loadStandardsFile(missing, true);
  ASSERT_TRUE(std::holds_alternative<FileError>(required));
  EXPECT_EQ(place(missing, std::get<FileError>(required)), missing);

  const auto folder = loadStandardsFile(dir.string(), false);  // a folder is no file to read
  EXPECT_TRUE(std::holds_alternative<FileError>(folder));

  std::ofstream(dir / "bad.csv") << kHeader << "\n2013,1,1,1,1\n2013,1,1,1,1\n";
  const auto bad = loadStandardsFile((dir / "bad.csv").string(), false);
  ASSERT_TRUE(std::holds_alternative<FileError>(bad));
  EXPECT_EQ(place("f.csv", std::get<FileError>(bad)), "f.csv:3");
  EXPECT_EQ(describeChinese("f.csv", std::get<FileError>(bad)),
            "f.csv 第 3 行：2013 年度在文件中出现了两次");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quorvane::standards
