#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "batch.h"
#include "case_file.h"

namespace quorvane::batch {
namespace {

// The worked example of the claim sheet as a batch row: the 31 inputs that
// matter, then the seven claim inputs.
constexpr std::string_view kInputs =
    "受害人生日年,受害人生日月,受害人生日日,事故发生日年,事故发生日月,事故发生日日,夫妻或单亲,"
    "伤残等级,人员1的护理天数,护理人员1的工资,住院天数,误工天数,最近三年日平均收入,孩子1年龄,"
    "老人1年龄,兄弟姐妹人数,交通费,医疗费,营养费";
constexpr std::string_view kRow =
    "1988,8,8,2011,11,11,夫妻,十,30,100,20,90,200,4,65,2,1200,35000.50,600";
constexpr std::string_view kClaimHeader =
    "计算标准年度,定残日,伤残附加指数,精神损害抚慰金,交强险,责任比例,商业三者险限额";
constexpr std::string_view kClaimRow = "2012,,3,10000,有责,70,500000";
constexpr std::string_view kSheet =
    ",85547.80,0.00,0.00,3000.00,1000.00,18000.00,0.00,34295.04,1200.00,35000.50,600.00,0.00,10000.00,"
    "188643.34,10000.00,110000.00,120000.00,68643.34,48050.34,48050.34,0.00,20593.00,"
    // the later items and 交强险财产损失, then vehicle 1 and two vehicles not taking part
    "0.00,0.00,0.00,0.00,0.00,120000.00,48050.34,48050.34,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,"
    "0.00,"
    "3661.01";  // 案件受理费

std::string outputOf(const std::string& csv, const Options& options = {}) {
  return std::get<std::string>(batch::run(csv, options));
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> all;
  std::size_t start = 0;
  for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    all.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return all;
}

TEST(ClaimColumns, FollowTheResultsWhenTheHeaderNamesAClaimInputOrClaimIsAsked) {
  const std::string plain = std::string(kInputs) + "\n" + std::string(kRow) + "\n";
  const std::string withClaim = std::string(kInputs) + "," + std::string(kClaimHeader) + "\n" +
                                std::string(kRow) + "," + std::string(kClaimRow) + "\n";
  Options asked;
  asked.claim = true;
  const auto byHeader = lines(outputOf(withClaim));
  ASSERT_EQ(byHeader.size(), 2u);
  EXPECT_EQ(byHeader[0], lines(resultHeader(true))[0]);
  EXPECT_TRUE(
      byHeader[0].ends_with(",合计,清单提示,清单残疾赔偿金,清单死亡赔偿金,清单丧葬费,清单护理费,清单住院伙食补助费,"
                            "清单误工费,清单住宿费,清单被扶养人生活费,清单交通费,清单医疗费,"
                            "清单营养费,清单残疾辅助器具费,清单精神损害抚慰金,清单合计,"
                            "交强险医疗费用,交强险死亡伤残,交强险合计,剩余损失,责任方承担,"
                            "商业三者险,侵权人,受害人自担,清单后续护理费,清单后续治疗费,清单财产损失,"
                            "清单鉴定费,交强险财产损失,车辆1交强险赔付,车辆1责任方承担,"
                            "车辆1商业三者险,车辆1侵权人,车辆2交强险赔付,车辆2责任方承担,"
                            "车辆2商业三者险,车辆2侵权人,车辆3交强险赔付,车辆3责任方承担,"
                            "车辆3商业三者险,车辆3侵权人,案件受理费"));
  EXPECT_TRUE(byHeader[1].ends_with(kSheet)) << byHeader[1];

  // The 22 amounts are the same with or without the sheet.
  const auto without = lines(outputOf(plain));
  EXPECT_EQ(without[0] + "\n", resultHeader());
  EXPECT_TRUE(byHeader[1].starts_with(without[1] + ","));
  // Asked for with no claim input: the accident year's row, no payers.
  const auto byOption = lines(outputOf(plain, asked));
  EXPECT_EQ(byOption[0], byHeader[0]);
  EXPECT_TRUE(byOption[1].find(",,58146.00,") != std::string::npos) << byOption[1];
  EXPECT_EQ(lines(outputOf("", asked)), lines(resultHeader(true)));
}

TEST(ClaimColumns, ARefusalFillsOnlyItsNoticeAndTheAmountsStay) {
  const std::string csv = "伤残等级,事故发生日年,交强险\n一,2011,全险\n";
  const auto out = lines(outputOf(csv));
  const std::string empties(claim::kAmountColumns, ',');
  EXPECT_TRUE(out[1].starts_with("请选择受害人生日.,")) << out[1];
  EXPECT_TRUE(out[1].ends_with(",受害人生日不完整：受害人生日年为空" + empties)) << out[1];
}

// 简易程序 is read as an input column: it halves the fee, and any other text refuses the sheet.
TEST(ClaimColumns, SummaryProcedureHalvesTheCourtFee) {
  const std::string empties(claim::kAmountColumns, ',');
  const std::array<std::pair<std::string, std::string>, 3> kRows{{
      {"", ",0.00,3661.01"},  // after vehicle 3's 侵权人
      {"是", ",0.00,1830.50"},
      {"否", ",简易程序“否”应为“是”或不填" + empties},
  }};
  for (const auto& [summary, ending] : kRows) {
    const auto out =
        lines(outputOf(std::string(kInputs) + "," + std::string(kClaimHeader) + ",简易程序\n" +
                       std::string(kRow) + "," + std::string(kClaimRow) + "," + summary + "\n"));
    EXPECT_TRUE(out[0].ends_with(",案件受理费")) << out[0];
    EXPECT_TRUE(out[1].ends_with(ending)) << summary << ": " << out[1];
  }
}

TEST(ClaimColumns, ExplainAddsTheSheetWithItsWorking) {
  Options options;
  options.explain = true;
  const std::string csv = std::string(kInputs) + "," + std::string(kClaimHeader) + "\n" +
                          std::string(kRow) + "," + std::string(kClaimRow) + "\n";
  const auto report = outputOf(csv, options);
  EXPECT_NE(report.find("\n【赔偿清单】\n计算标准年度：2012\n"), std::string::npos);
  // The sheet as filed, a tab-separated line a row.
  EXPECT_NE(report.find("\n序号\t项目\t计算方式\t金额（元）\t依据\n1\t残疾赔偿金\t32903 元 × 20 年 "
                        "× 13%（十级 10% + 附加指数 3%）\t85547.80\t人身损害赔偿解释第十二条\n"),
            std::string::npos)
      << report;
  // The court fee under the table, which ends the report.
  EXPECT_TRUE(report.ends_with(
      "\t受害人自担\t68643.34 - 48050.34\t20593.00\t\n"
      "案件受理费 3661.01 元（按诉讼请求 168050.34 元，诉讼费用交纳办法第十三条）\n"))
      << report;
  EXPECT_EQ(
      outputOf(std::string(kInputs) + "\n" + std::string(kRow) + "\n", options).find("赔偿清单"),
      std::string::npos);
}

// Sheets on a second thread: the same output, rows in their order, at every
// count of rows about the batches' size, and the same fault.
TEST(ClaimColumns, ASecondThreadGivesTheSameOutput) {
  const auto csv = [](int rows, int faultAt) {
    std::string text = "案号," + std::string(kInputs) + ",交强险\n";
    for (int k = 1; k <= rows; ++k) {
      // Every seventh sheet refused, every eleventh row stopped; the birth
      // day and the days vary the rest.
      text += std::to_string(k) + (k % 11 == 0 ? "," : ",1988") + ",8," +
              std::to_string(1 + k % 28) + ",2011,11,11,夫妻,十,30,100," + std::to_string(k % 400) +
              ",90,200,4,65,2,1200,35000.50,600," + (k % 7 == 0 ? "全险" : "有责") +
              (k == faultAt ? ",extra\n" : "\n");
    }
    return text;
  };
  for (const int rows : {0, 1, 255, 256, 257, 512, 513, 1000}) {
    for (const bool excel : {false, true}) {
      Options plain;
      plain.keep = {"案号"};
      plain.excel = excel;
      Options threaded = plain;
      threaded.claimThread = true;
      const auto expected = outputOf(csv(rows, 0), plain);
      EXPECT_EQ(outputOf(csv(rows, 0), threaded), expected) << rows;
      // Fed in pieces, the output taken as it comes (as an output file takes it).
      Reader reader(threaded);
      std::string taken;
      const auto text = csv(rows, 0);
      for (std::size_t at = 0; at < text.size(); at += 4'096) {
        reader.feed(std::string_view(text).substr(at, 4'096));
        taken += reader.output();
        reader.output().clear();
      }
      EXPECT_FALSE(reader.finish());
      EXPECT_EQ(taken + reader.output(), expected) << rows;
    }
  }
  Options plain;
  plain.keep = {"案号"};
  Options threaded = plain;
  threaded.claimThread = true;
  const auto fault = std::get<InputError>(run(csv(600, 300), threaded));
  EXPECT_EQ(fault.line, 301u);
  EXPECT_EQ(fault.reason, std::get<InputError>(run(csv(600, 300), plain)).reason);
  // No claim input: no sheet, on either thread.
  const std::string noSheet = std::string(kInputs) + "\n" + std::string(kRow) + "\n";
  Options alone;
  alone.claimThread = true;
  EXPECT_EQ(outputOf(noSheet, alone), outputOf(noSheet));
}

TEST(ClaimColumns, CaseFilesKeepClaimInputsAndOnlyWhenSet) {
  CaseInput input;
  input.伤残等级 = "二";
  claim::ClaimInput claim;
  for (std::size_t k = 0; k < claim::claimFields.size(); ++k) {
    claim.*claim::claimFields[k].member = std::to_string(k + 1);
  }
  const auto text = cases::caseFileText(input, claim);
  EXPECT_NE(text.find(",残疾辅助器具,计算标准年度,定残日,"), std::string::npos);
  const auto entries = std::get<std::vector<cases::CaseEntry>>(cases::readCaseFile(text));
  for (const auto& field : claim::claimFields) {
    EXPECT_EQ(entries[0].claim.*field.member, claim.*field.member) << field.name;
  }
  EXPECT_EQ(entries[0].input.伤残等级, "二");
  EXPECT_EQ(cases::caseFileText(input, {}), cases::caseFileText(input));
  // The later inputs only when set: the first eight alone are written as they always were.
  claim::ClaimInput first;
  first.交强险 = "无", first.鉴定费 = "1";
  const auto header = cases::caseFileText(input, first);
  EXPECT_NE(header.find(",案件类型,鉴定费\r\n"), std::string::npos) << header;
  EXPECT_EQ(cases::caseFileText(input).find("计算标准年度"), std::string::npos);
  claim.精神损害抚慰金 = std::string(cases::kLongestField + 1, '9');
  const auto refused = std::get<InputError>(cases::readCaseFile(cases::caseFileText(input, claim)));
  EXPECT_EQ(refused.reason, "精神损害抚慰金 is longer than 1024 bytes");
}

}  // namespace
}  // namespace quorvane::batch
