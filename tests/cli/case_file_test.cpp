#include "case_file.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace quorvane::cases {
namespace {

std::string refusal(const std::string& bytes) {
  const auto read = readCaseFile(bytes);
  const auto* error = std::get_if<batch::InputError>(&read);
  if (error == nullptr) return "read";
  return std::to_string(error->line) + ": " + error->reason;
}

TEST(CaseFile, RefusesWhatHoldsNoCaseSayingWhy) {
  const std::string header = "事故发生日年,伤残等级\r\n";
  const struct {
    const char* name;
    std::string bytes;
    std::string refusal;
  } cases[] = {
      {"empty", "", "1: the file is empty"},
      {"a byte-order mark alone", "\xEF\xBB\xBF", "1: the file is empty"},
      {"blank lines", "\r\n\r\n", "1: the file is empty"},
      {"a header alone", "\xEF\xBB\xBF" + header, "1: the file holds no case"},
      {"a field too long", header + "2012," + std::string(kLongestField + 1, 'x') + "\r\n",
       "2: 伤残等级 is longer than 1024 bytes"},
      {"a field just short enough", header + "2012," + std::string(kLongestField, 'x') + "\r\n",
       "read"},
      {"larger than the largest", std::string(kLargestFile + 1, '1'),
       "0: the file is larger than 16 MB: not a case file"},
  };
  for (const auto& c : cases) EXPECT_EQ(refusal(c.bytes), c.refusal) << c.name;
}

TEST(CaseFile, WrittenCaseReadsBackWithItsTextsAsTheyWere) {
  CaseInput input;
  input.事故发生日年 = "2012";
  input.伤残等级 = "一级";
  input.医疗费 = "1,500";
  input.住院天数 = " 12";
  input.交通费 = "a\"b";
  const std::string text = caseFileText(input);
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF受害人生日年,"));
  EXPECT_TRUE(text.ends_with("\r\n"));
  const auto read = readCaseFile(text);
  ASSERT_TRUE(std::holds_alternative<std::vector<CaseEntry>>(read)) << refusal(text);
  const auto& entries = std::get<std::vector<CaseEntry>>(read);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].line, 2u);
  EXPECT_EQ(entries[0].caseNumber, "");
  for (const auto& field : inputFields) {
    EXPECT_EQ(entries[0].input.*field.member, input.*field.member) << field.name;
  }
}

}  // namespace
}  // namespace quorvane::cases
