#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch.h"
#include "case_file.h"

namespace quorvane::batch {
namespace {

// A case and its claim inputs; the complaint's columns added after them.
constexpr std::string_view kHeader =
    "受害人生日年,受害人生日月,受害人生日日,事故发生日年,事故发生日月,事故发生日日,伤残等级,"
    "医疗费,交强险,责任比例";
constexpr std::string_view kRow = "1988,8,8,2011,11,11,十,35000.50,有责,70";
// Texts no check would pass, and a free text of several lines with a comma and quotes.
constexpr std::string_view kComplaintHeader = ",原告证件号码,先行调解,车辆3驾驶人,事故经过";
constexpr std::string_view kComplaintRow =
    ",123,也许,王某,\"2011年11月11日，\n在\"\"某路口\"\"\r\n相撞\"";

std::string outputOf(const std::string& csv, const Options& options = {}) {
  const auto out = run(csv, options);
  if (const auto* error = std::get_if<InputError>(&out)) return "refused: " + error->reason;
  return std::get<std::string>(out);
}

complaint::ComplaintInput everyComplaintInput() {
  complaint::ComplaintInput input;
  for (std::size_t k = 0; k < complaint::complaintFields.size(); ++k) {
    input.*complaint::complaintFields[k].member = "值" + std::to_string(k);
  }
  input.事故经过 = "第一行，“甲”\n第二行 \"乙\"\r\n\n第四行";
  input.证据清单 = "1. 事故认定书\n2. 病历";
  return input;
}

// The batch tool reads the complaint's columns and gives what it gives
// without them, however it is asked, the claim sheet included.
TEST(ComplaintColumns, TheBatchToolReadsThemAndComputesAsBefore) {
  const std::string header(kHeader), row(kRow);
  const std::string caseOnly = "受害人生日年,伤残等级\n1988,十\n";
  const std::string caseOnlyWith = "受害人生日年,伤残等级" + std::string(kComplaintHeader) +
                                   "\n1988,十" + std::string(kComplaintRow) + "\n";
  Options claimed, threaded, explained, kept;
  claimed.claim = true;
  threaded.claimThread = true;
  explained.explain = true;
  kept.keep = {"原告证件号码"};
  for (const Options& options : {Options{}, claimed, threaded, explained}) {
    const auto without = outputOf(header + "\n" + row + "\n", options);
    EXPECT_FALSE(without.starts_with("refused")) << without;
    EXPECT_EQ(outputOf(header + std::string(kComplaintHeader) + "\n" + row +
                           std::string(kComplaintRow) + "\n",
                       options),
              without);
    // Without a claim input they turn no claim sheet on.
    EXPECT_EQ(outputOf(caseOnlyWith, options), outputOf(caseOnly, options));
  }
  // A kept complaint column is copied as any kept column is.
  EXPECT_TRUE(outputOf(caseOnlyWith, kept).starts_with("原告证件号码,提示,"))
      << outputOf(caseOnlyWith, kept);
  EXPECT_NE(outputOf(caseOnlyWith, kept).find("\n123,"), std::string::npos);
  EXPECT_EQ(outputOf("先行调解,伤残等级,先行调解\n是,十,否\n"),
            "refused: \"先行调解\" stands twice in the header");
}

TEST(ComplaintColumns, CaseFilesKeepThemAfterTheClaimInputsAndOnlyWhenSet) {
  CaseInput input;
  input.伤残等级 = "二";
  claim::ClaimInput claim;
  claim.交强险 = "有责";
  const auto complaint = everyComplaintInput();
  for (const auto& withClaim : {claim, claim::ClaimInput{}}) {
    const auto text = cases::caseFileText(input, withClaim, complaint);
    const std::string before = withClaim.交强险.empty() ? ",残疾辅助器具," : ",案件类型,";
    EXPECT_NE(text.find(before + "原告姓名,原告性别,"), std::string::npos) << text;
    EXPECT_NE(text.find(",了解调解,先行调解\r\n"), std::string::npos) << text;
    const auto entries = std::get<std::vector<cases::CaseEntry>>(cases::readCaseFile(text));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].complaint == complaint) << entries[0].complaint.事故经过;
    EXPECT_TRUE(entries[0].claim == withClaim);
    EXPECT_EQ(entries[0].input.伤残等级, "二");
    // None set: written byte for byte as before.
    EXPECT_EQ(cases::caseFileText(input, withClaim, {}), cases::caseFileText(input, withClaim));
  }
  // One set is enough for all of them.
  complaint::ComplaintInput one;
  one.先行调解 = "是";
  EXPECT_NE(cases::caseFileText(input, {}, one).find(",残疾辅助器具,原告姓名,"), std::string::npos);

  // The free texts have room for pages; the other inputs are short.
  const struct {
    std::string complaint::ComplaintInput::*member;
    std::size_t longest;
    const char* refusal;
  } limits[] = {
      {&complaint::ComplaintInput::证据清单, cases::kLongestText,
       "证据清单 is longer than 16384 bytes"},
      {&complaint::ComplaintInput::原告姓名, cases::kLongestField,
       "原告姓名 is longer than 1024 bytes"},
  };
  for (const auto& limit : limits) {
    complaint::ComplaintInput longest;
    longest.*limit.member = std::string(limit.longest, 'x');
    EXPECT_TRUE(std::holds_alternative<std::vector<cases::CaseEntry>>(
        cases::readCaseFile(cases::caseFileText(input, {}, longest))));
    longest.*limit.member += 'x';
    const auto refused = cases::readCaseFile(cases::caseFileText(input, {}, longest));
    ASSERT_TRUE(std::holds_alternative<InputError>(refused)) << limit.refusal;
    EXPECT_EQ(std::get<InputError>(refused).reason, limit.refusal);
  }
}

}  // namespace
}  // namespace quorvane::batch
