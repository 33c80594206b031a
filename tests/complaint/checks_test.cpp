#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "complaint_testing.h"
#include "court_fee.h"

// The complaint's checks: the plaintiff's identity number, the parties of
// vehicles, the pick lists, and a refused sheet.

namespace quorvane::complaint {
namespace {

using testing::Filing;

// Valid numbers born 1970-05-20, the two-car case's victim: male, female, male ending in X.
constexpr const char* kMale = "110105197005201237";
constexpr const char* kFemale = "110105197005201245";
constexpr const char* kEndingX = "11010519700520119X";

struct CheckRow {
  const char* name;
  std::function<void(Filing&)> change;
  const char* fault;
};

void PrintTo(const CheckRow& row, std::ostream* out) {
  *out << row.name;
}

class Checks : public ::testing::TestWithParam<CheckRow> {};

TEST_P(Checks, GiveTheirFault) {
  Filing f = testing::twoCars();
  testing::nameParties(f.complaint);
  GetParam().change(f);
  const Complaint made = testing::make(f);
  EXPECT_EQ(made.fault, GetParam().fault);
  // A fault withholds the form and changes no figure.
  EXPECT_EQ(made.form.blocks.empty(), *GetParam().fault != '\0');
  const auto outcome = claim::computeClaim(f.c.input, f.c.claim, f.standards);
  EXPECT_EQ(made.claimed, claim::claimedAmount(std::get<claim::ClaimSheet>(outcome).payers));
  EXPECT_FALSE(made.requests.empty());
}

void id(Filing& f, const char* number) {
  f.complaint.原告证件号码 = number;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Checks,
    ::testing::Values(
        CheckRow{"nothingSet", [](Filing& f) { f.complaint = {}; }, ""},
        CheckRow{"male", [](Filing& f) { id(f, kMale), f.complaint.原告性别 = "男"; }, ""},
        CheckRow{"female", [](Filing& f) { id(f, kFemale), f.complaint.原告性别 = "女"; }, ""},
        CheckRow{"endingInX", [](Filing& f) { id(f, kEndingX); }, ""},
        CheckRow{"lowerCaseXReadsAsX", [](Filing& f) { id(f, "11010519700520119x"); }, ""},
        CheckRow{"anotherCardIsNotChecked",
                 [](Filing& f) { id(f, "E12345678"), f.complaint.原告证件类型 = "护照"; }, ""},
        CheckRow{"fifteenDigits", [](Filing& f) { id(f, "110105700520123"); },
                 "原告证件号码“110105700520123”应为18位：17位数字和1位校验码"},
        CheckRow{"nineteenCharacters", [](Filing& f) { id(f, "1101051970052012377"); },
                 "原告证件号码“1101051970052012377”应为18位：17位数字和1位校验码"},
        CheckRow{"letterInside", [](Filing& f) { id(f, "1101051970052012A7"); },
                 "原告证件号码“1101051970052012A7”应为18位：17位数字和1位校验码"},
        CheckRow{"wrongCheckDigit", [](Filing& f) { id(f, "110105197005201234"); },
                 "原告证件号码“110105197005201234”校验位不符"},
        CheckRow{"wrongCheckDigitQuotedAsTyped", [](Filing& f) { id(f, "11010519700520123x"); },
                 "原告证件号码“11010519700520123x”校验位不符"},
        CheckRow{"dateThatDoesNotExist", [](Filing& f) { id(f, "110105197002301232"); },
                 "原告证件号码“110105197002301232”中的出生日期不存在"},
        CheckRow{"notTheVictimsBirthday", [](Filing& f) { id(f, "110105198001011238"); },
                 "原告证件号码中的出生日期与受害人生日不符"},
        CheckRow{"sexAgainstTheNumber",
                 [](Filing& f) { id(f, kMale), f.complaint.原告性别 = "女"; },
                 "原告性别与证件号码不符"},
        CheckRow{"unknownSex", [](Filing& f) { f.complaint.原告性别 = "m"; },
                 "原告性别“m”应为“男”或“女”"},
        CheckRow{"vehicleNotTakingPart", [](Filing& f) { f.complaint.车辆3号牌 = "京C1"; },
                 "车辆3没有参与计算：请删去车辆3的当事人"},
        CheckRow{"vehicleNotTakingPartWithItsLastPartyOnly",
                 [](Filing& f) { f.complaint.车辆3商业三者险保险公司 = "戊保险公司"; },
                 "车辆3没有参与计算：请删去车辆3的当事人"},
        CheckRow{"insurerWithoutCompulsoryPolicy", [](Filing& f) { f.c.claim.车辆2交强险 = "无"; },
                 "车辆2交强险为“无”：不填交强险保险公司"},
        CheckRow{
            "uninsuredWithoutCompulsoryPolicy",
            [](Filing& f) { f.c.claim.交强险 = "", f.complaint.车辆1交强险保险公司 = "未投保"; },
            "车辆1交强险为“无”：不填交强险保险公司"},
        CheckRow{"unknownAuthority", [](Filing& f) { f.complaint.代理权限 = "全权"; },
                 "代理权限“全权”应为“一般授权”或“特别授权”"},
        CheckRow{"unknownOwnerKind", [](Filing& f) { f.complaint.车辆2所有人类别 = "公司"; },
                 "车辆2所有人类别“公司”应为“自然人”或“法人、非法人组织”"},
        CheckRow{"unknownPreservation", [](Filing& f) { f.complaint.诉前保全 = "有"; },
                 "诉前保全“有”应为“是”或“否”"},
        CheckRow{"unknownAppraisal", [](Filing& f) { f.complaint.申请鉴定 = "1"; },
                 "申请鉴定“1”应为“是”或“否”"},
        CheckRow{"unknownMediationKnown", [](Filing& f) { f.complaint.了解调解 = "是"; },
                 "了解调解“是”应为“了解”或“不了解”"},
        CheckRow{"unknownMediationFirst", [](Filing& f) { f.complaint.先行调解 = "不确定"; },
                 "先行调解“不确定”应为“是”、“否”或“暂不确定”"},
        // The first fault in the order of the fields.
        CheckRow{"firstFaultFirst", [](Filing& f) { f.complaint.先行调解 = "x", id(f, "1"); },
                 "原告证件号码“1”应为18位：17位数字和1位校验码"}),
    [](const ::testing::TestParamInfo<CheckRow>& row) { return std::string(row.param.name); });

TEST(Checks, InADeathCaseTheNumberIsThePlaintiffsOwn) {
  Filing f = testing::death();
  f.complaint.原告证件号码 = "110105198001011238";
  EXPECT_EQ(testing::make(f).fault, "");
}

TEST(Checks, ARefusedSheetRefusesTheComplaintWithItsMessage) {
  Filing f = testing::twoCars();
  f.c.claim.交强险 = "x";
  const Complaint made = testing::make(f);
  EXPECT_EQ(made.fault, "交强险“x”只能是“有责”、“无责”或“无”");
  EXPECT_TRUE(made.requests.empty());
  EXPECT_TRUE(made.form.blocks.empty());
}

TEST(Checks, ChoicesAreThePickLists) {
  EXPECT_EQ(choices("先行调解"), (std::vector<std::string_view>{"是", "否", "暂不确定"}));
  EXPECT_EQ(choices("车辆3所有人类别"),
            (std::vector<std::string_view>{"自然人", "法人、非法人组织"}));
  EXPECT_TRUE(choices("原告姓名").empty());
}

TEST(Checks, AnyFieldSetIsSeen) {
  EXPECT_FALSE(anySet({}));
  for (const auto& field : complaintFields) {
    ComplaintInput input;
    input.*field.member = "x";
    EXPECT_TRUE(anySet(input)) << field.name;
  }
}

}  // namespace
}  // namespace quorvane::complaint
