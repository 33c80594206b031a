#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "complaint_testing.h"

// The defendants and the numbered requests built from the sheet's payer parts.

namespace quorvane::complaint {
namespace {

using testing::Filing;
using Texts = std::vector<std::string>;

constexpr const char* kJia = "甲财产保险股份有限公司北京分公司";
constexpr const char* kBing = "丙财产保险股份有限公司北京分公司";
constexpr const char* kDing = "丁财产保险股份有限公司北京分公司";

const std::string kCompulsory = "在机动车交通事故责任强制保险责任限额内赔偿原告";
const std::string kCommercial = "在商业第三者责任保险责任限额内赔偿原告";
const std::string kCosts = "本案诉讼费用由被告负担。";

Filing named(Filing f) {
  testing::nameParties(f.complaint);
  return f;
}

struct RequestRow {
  const char* name;
  std::function<Filing()> filing;
  Texts expected;
};

void PrintTo(const RequestRow& row, std::ostream* out) {
  *out << row.name;
}

class Requests : public ::testing::TestWithParam<RequestRow> {};

TEST_P(Requests, ReadAsTheLawyerFilesThem) {
  const Complaint made = testing::make(GetParam().filing());
  EXPECT_EQ(made.fault, "");
  EXPECT_EQ(made.requests, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Requests,
    ::testing::Values(
        RequestRow{"twoCarsNamed",
                   [] { return named(testing::twoCars()); },
                   {"1.判令被告" + std::string(kJia) + kCompulsory + "199500.00元，" + kCommercial +
                        "919941.96元；",
                    "2.判令被告" + std::string(kBing) + kCompulsory + "199500.00元；",
                    "3.判令被告" + std::string(kDing) + kCommercial + "200000.00元；",
                    "4.判令被告李某、乙运输有限公司赔偿原告62840.56元；", "5." + kCosts}},
        RequestRow{"twoCarsUnnamed",
                   testing::twoCars,
                   {"1.判令被告＿＿（车辆1交强险保险公司）" + kCompulsory + "199500.00元，" +
                        kCommercial + "919941.96元；",
                    "2.判令被告＿＿（车辆2交强险保险公司）" + kCompulsory + "199500.00元，" +
                        kCommercial + "200000.00元；",
                    "3.判令被告＿＿（车辆2驾驶人）赔偿原告62840.56元；", "4." + kCosts}},
        RequestRow{"otherVictimsNamed",
                   [] {
                     Filing f = testing::otherVictims();
                     // The driver named as the owner too is one defendant.
                     f.complaint.车辆1驾驶人 = f.complaint.车辆1所有人 = "张某";
                     f.complaint.车辆1交强险保险公司 = kJia;
                     return f;
                   },
                   {"1.判令被告" + std::string(kJia) + kCompulsory + "161717.18元，" + kCommercial +
                        "1000000.00元；",
                    "2.判令被告张某赔偿原告551485.62元；", "3." + kCosts}},
        RequestRow{"otherVictimsUnnamed",
                   testing::otherVictims,
                   {"1.判令被告＿＿（车辆1交强险保险公司）" + kCompulsory + "161717.18元，" +
                        kCommercial + "1000000.00元；",
                    "2.判令被告＿＿（车辆1驾驶人）赔偿原告551485.62元；", "3." + kCosts}},
        // No commercial limit: 丁 is named but asked for nothing.
        RequestRow{"notLiableNamed",
                   [] { return named(testing::notLiable()); },
                   {"1.判令被告" + std::string(kJia) + kCompulsory + "9090.91元；",
                    "2.判令被告" + std::string(kBing) + kCompulsory + "909.09元；", "3." + kCosts}},
        RequestRow{
            "notLiableUnnamed",
            testing::notLiable,
            {"1.判令被告＿＿（车辆1交强险保险公司）" + kCompulsory + "9090.91元；",
             "2.判令被告＿＿（车辆2交强险保险公司）" + kCompulsory + "909.09元；", "3." + kCosts}},
        RequestRow{"thirdCarWithoutTheSecond",
                   [] {
                     Filing f = testing::firstAndThirdCars();
                     f.complaint.车辆3交强险保险公司 = kBing;
                     return f;
                   },
                   {"1.判令被告＿＿（车辆1交强险保险公司）" + kCompulsory + "9090.91元；",
                    "2.判令被告" + std::string(kBing) + kCompulsory + "909.09元；", "3." + kCosts}},
        RequestRow{"uninsuredOwnerAnswersWithinTheLimits",
                   testing::uninsured,
                   {"1.判令被告＿＿（车辆1交强险保险公司）" + kCompulsory + "18000.00元；",
                    "2.判令被告＿＿（车辆1驾驶人）赔偿原告8400.00元；",
                    "3.判令被告乙运输有限公司" + kCompulsory + "18000.00元；",
                    "4.判令被告李某、乙运输有限公司赔偿原告5600.00元；", "5." + kCosts}},
        // Its empty commercial insurer stands for no one: a blank, never merged.
        RequestRow{"uninsuredWithACommercialPolicy",
                   [] {
                     Filing f = testing::uninsured();
                     f.c.claim.车辆2商业三者险限额 = "1000";
                     return f;
                   },
                   {"1.判令被告＿＿（车辆1交强险保险公司）" + kCompulsory + "18000.00元；",
                    "2.判令被告＿＿（车辆1驾驶人）赔偿原告8400.00元；",
                    "3.判令被告乙运输有限公司" + kCompulsory + "18000.00元；",
                    "4.判令被告＿＿（车辆2商业三者险保险公司）" + kCommercial + "1000.00元；",
                    "5.判令被告李某、乙运输有限公司赔偿原告4600.00元；", "6." + kCosts}},
        RequestRow{"sameInsurerNamedForBothParts",
                   [] {
                     Filing f = named(testing::twoCars());
                     f.complaint.车辆2商业三者险保险公司 = kBing;
                     return f;
                   },
                   {"1.判令被告" + std::string(kJia) + kCompulsory + "199500.00元，" + kCommercial +
                        "919941.96元；",
                    "2.判令被告" + std::string(kBing) + kCompulsory + "199500.00元，" +
                        kCommercial + "200000.00元；",
                    "3.判令被告李某、乙运输有限公司赔偿原告62840.56元；", "4." + kCosts}},
        RequestRow{
            "missingNamesLeaveBlanksWithTheirRoles",
            [] {
              Filing f = named(testing::twoCars());
              f.complaint.车辆1交强险保险公司 = f.complaint.车辆2驾驶人 = "";
              return f;
            },
            {"1.判令被告＿＿（车辆1交强险保险公司）" + kCompulsory + "199500.00元，" + kCommercial +
                 "919941.96元；",
             "2.判令被告" + std::string(kBing) + kCompulsory + "199500.00元；",
             "3.判令被告" + std::string(kDing) + kCommercial + "200000.00元；",
             "4.判令被告＿＿（车辆2驾驶人）、乙运输有限公司赔偿原告62840.56元；", "5." + kCosts}}),
    [](const ::testing::TestParamInfo<RequestRow>& row) { return std::string(row.param.name); });

TEST(Defendants, DistinctNamesInVehicleThenRoleOrder) {
  Filing f = named(testing::twoCars());
  const std::vector<Defendant> expected{{"张某", false},          {kJia, true},  {"李某", false},
                                        {"乙运输有限公司", true}, {kBing, true}, {kDing, true}};
  EXPECT_EQ(testing::make(f).defendants, expected);
  // One name in several roles is one defendant, of its first role's kind;
  // "未投保" and spaces around a name are no names.
  auto& c = f.complaint;
  c.车辆1所有人 = " 张某　", c.车辆1所有人类别 = "法人、非法人组织", c.车辆2所有人 = "";
  c.车辆2商业三者险保险公司 = kJia, c.车辆2交强险保险公司 = "未投保";
  const std::vector<Defendant> merged{{"张某", false}, {kJia, true}, {"李某", false}};
  EXPECT_EQ(testing::make(f).defendants, merged);
}

TEST(Fee, OnWhatTheRequestsAskFor) {
  auto two = testing::twoCars();
  const Complaint made = testing::make(two);
  EXPECT_EQ(made.claimed, 158178252);
  EXPECT_EQ(made.fee, 1903604);
  EXPECT_EQ(made.feeLine,
            "案件受理费 19036.04 元（按诉讼请求 1581782.52 元，诉讼费用交纳办法第十三条）");
  two.c.claim.简易程序 = "是";
  const Complaint halved = testing::make(two);
  EXPECT_EQ(halved.fee, 951802);
  EXPECT_TRUE(halved.feeLine.ends_with("，简易程序减半）")) << halved.feeLine;
}

}  // namespace
}  // namespace quorvane::complaint
