#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_file.h"

namespace quorvane::cases {
namespace {

CaseInput sample() {
  CaseInput in;
  in.受害人生日年 = "1988";
  in.事故发生日年 = "2011";
  in.伤残等级 = "三";
  in.医疗费 = "1,500";  // reads as 1 in a run: kept as typed all the same
  in.孩子1年龄 = " 12";
  in.老人1年龄 = "七十";
  in.营养费 = "say \"200\"\nper day";
  return in;
}

void expectSame(const CaseInput& a, const CaseInput& b) {
  for (const auto& field : inputFields) EXPECT_EQ(a.*field.member, b.*field.member) << field.name;
}

TEST(CaseFile, WritesWhatTheReaderReadsBackAsExcelOpensIt) {
  const std::string text = caseFileText(sample());
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF受害人生日年,")) << text;
  EXPECT_TRUE(text.ends_with("\r\n"));
  EXPECT_NE(text.find("\"1,500\""), std::string::npos);
  const auto read = readCaseFile(text);
  const auto& entries = std::get<std::vector<CaseEntry>>(read);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].line, 2u);
  EXPECT_EQ(entries[0].caseNumber, "");
  expectSame(entries[0].input, sample());
  expectSame(std::get<std::vector<CaseEntry>>(readCaseFile(caseFileText({}))).front().input, {});
}

TEST(CaseFile, ReadsSeveralCasesWithTheirCaseNumbersAndGb18030) {
  const auto read =
      readCaseFile("事故发生日年,案号,伤残等级\n2011,(2026)京01民初1号,二\n\n2012,,三\n");
  const auto& entries = std::get<std::vector<CaseEntry>>(read);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].line, 2u);
  EXPECT_EQ(entries[0].caseNumber, "(2026)京01民初1号");
  EXPECT_EQ(entries[1].line, 4u);
  EXPECT_EQ(entries[1].input.伤残等级, "三");
  EXPECT_EQ(entries[1].input.受害人生日年, "");  // absent columns are empty

  // "事故发生日年,伤残等级\n2011,三\n" in GB18030.
  const auto gb = readCaseFile(
      "\xCA\xC2\xB9\xCA\xB7\xA2\xC9\xFA\xC8\xD5\xC4\xEA,"
      "\xC9\xCB\xB2\xD0\xB5\xC8\xBC\xB6\n2011,\xC8\xFD\n");
  const auto& gbEntries = std::get<std::vector<CaseEntry>>(gb);
  ASSERT_EQ(gbEntries.size(), 1u);
  EXPECT_EQ(gbEntries[0].input.伤残等级, "三");
  EXPECT_EQ(gbEntries[0].input.事故发生日年, "2011");
}

TEST(CaseFile, RefusesWhatIsNoCaseFileNamingTheLine) {
  struct Refusal {
    const char* what;
    std::string bytes;
    std::size_t line;
    std::string inReason;
  };
  const std::vector<Refusal> refusals{
      {"empty", "", 1, "empty"},
      {"header only", "\xEF\xBB\xBF事故发生日年,伤残等级\r\n", 1, "holds no case"},
      {"blank lines only", "\r\n\n", 1, "empty"},
      {"a byte-order mark alone", "\xEF\xBB\xBF", 1, "empty"},
      {"unknown column", "事故发生日年,备注\n2011,x\n", 1, "\"备注\" in the header is not"},
      {"field too long", "事故发生日年,医疗费\n2011,1\n2012," + std::string(1025, '9') + "\n", 3,
       "医疗费 is longer than 1024 bytes"},
      {"two fields too long: the first is named",
       "医疗费\n" + std::string(1025, '9') + "\n" + std::string(2000, '8') + "\n", 2,
       "医疗费 is longer"},
      {"fields differ", "事故发生日年,医疗费\n2011\n", 2, "has 1 fields"},
      {"binary",
       std::string("\x7F"
                   "ELF\x02\x01\x01\0\0\0\xFF\xFE\x80",
                   13),  // NULs and bytes no text has
       1, "not UTF-8"},
      {"larger than a case file", std::string(kLargestFile + 1, 'a'), 0, "larger than 16 MB"},
  };
  for (const auto& r : refusals) {
    const auto read = readCaseFile(r.bytes);
    const auto* error = std::get_if<batch::InputError>(&read);
    ASSERT_NE(error, nullptr) << r.what;
    EXPECT_EQ(error->line, r.line) << r.what << ": " << error->reason;
    EXPECT_NE(error->reason.find(r.inReason), std::string::npos) << r.what << ": " << error->reason;
  }
  // Just within the limits: a field of the longest length, and a file of the
  // largest size (its case, then blank lines).
  EXPECT_TRUE(std::holds_alternative<std::vector<CaseEntry>>(
      readCaseFile("医疗费\n" + std::string(kLongestField, '9') + "\n")));
  std::string largest = "医疗费\n5\n";
  largest.resize(kLargestFile, '\n');
  const auto read = readCaseFile(largest);
  const auto* entries = std::get_if<std::vector<CaseEntry>>(&read);
  ASSERT_NE(entries, nullptr) << std::get<batch::InputError>(read).reason;
  EXPECT_EQ(entries->size(), 1u);
}

}  // namespace
}  // namespace quorvane::cases
