#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "claim.h"
#include "claim_report.h"
#include "claim_testing.h"

// The whole traffic case: later care and costs, several vehicles sharing the
// compulsory limits, other victims, and the split of shared amounts.

namespace quorvane::claim {
namespace {

using testing::accident;
using testing::born;
using testing::Case;
using testing::columns;

using Expected = std::vector<std::pair<const char*, const char*>>;

// With a wage, so that a death case is refused for its own inputs.
StandardsTable with2024() {
  Standards row{88650, 50897, 50, 50};
  row.averageWage = 199049;
  StandardsTable table;
  table.add("2024", row, "");
  return table;
}

// The two-car example: grade 五, a child, later care, property and fees.
Case twoCars() {
  Case c;
  auto& in = c.input;
  auto& claim = c.claim;
  born(c, "1970", "5", "20");
  accident(c, "2023", "3", "15");
  in.伤残等级 = "五", in.夫妻或单亲 = "夫妻", in.孩子1年龄 = "10";
  in.人员1的护理天数 = "60", in.护理人员1的工资 = "150", in.住院天数 = "60";
  in.误工天数 = "200", in.最近三年日平均收入 = "300";
  in.交通费 = "2000", in.医疗费 = "120000", in.营养费 = "3000";
  claim.定残日 = "2023-09-01", claim.计算标准年度 = "2024", claim.精神损害抚慰金 = "30000";
  claim.护理依赖 = "部分", claim.后续护理年限 = "10", claim.后续护理日工资 = "150";
  claim.后续治疗费 = "20000", claim.财产损失 = "3000", claim.鉴定费 = "3500";
  claim.交强险 = "有责", claim.责任比例 = "70", claim.商业三者险限额 = "1000000";
  claim.车辆2交强险 = "有责", claim.车辆2责任比例 = "20", claim.车辆2商业三者险限额 = "200000";
  return c;
}

// A victim whose only loss is medical: one rule at a time on the payers.
Case medicalOnly(const char* amount) {
  Case c;
  born(c, "1990", "1", "1");
  accident(c, "2021", "6", "1");
  c.input.医疗费 = amount;
  c.claim.计算标准年度 = "2024";
  return c;
}

void expectColumns(const Case& c, const Expected& expected) {
  const auto got = columns(c, with2024());
  EXPECT_EQ(got.at("清单提示"), "");
  for (const auto& [column, text] : expected) EXPECT_EQ(got.at(column), text) << column;
}

TEST(TrafficClaim, TwoCarsShareTheLimitsAndTheLiability) {
  expectColumns(twoCars(), {{"清单残疾赔偿金", "1063800.00"}, {"清单被扶养人生活费", "122152.80"},
                            {"清单后续护理费", "273750.00"},  {"清单后续治疗费", "20000.00"},
                            {"清单财产损失", "3000.00"},      {"清单鉴定费", "3500.00"},
                            {"清单合计", "1713202.80"},       {"交强险医疗费用", "36000.00"},
                            {"交强险死亡伤残", "360000.00"},  {"交强险财产损失", "3000.00"},
                            {"交强险合计", "399000.00"},      {"车辆1交强险赔付", "199500.00"},
                            {"车辆2交强险赔付", "199500.00"}, {"剩余损失", "1314202.80"},
                            {"责任方承担", "1182782.52"},     {"受害人自担", "131420.28"},
                            {"车辆1责任方承担", "919941.96"}, {"车辆1商业三者险", "919941.96"},
                            {"车辆1侵权人", "0.00"},          {"车辆2责任方承担", "262840.56"},
                            {"车辆2商业三者险", "200000.00"}, {"车辆2侵权人", "62840.56"},
                            {"商业三者险", "1119941.96"},     {"侵权人", "62840.56"},
                            {"车辆3交强险赔付", "0.00"},      {"车辆3责任方承担", "0.00"},
                            {"案件受理费", "19036.04"}});
}

TEST(TrafficClaim, OtherVictimsShareEachHeadByTheirLosses) {
  Case c = twoCars();
  c.claim.车辆2交强险 = c.claim.车辆2责任比例 = c.claim.车辆2商业三者险限额 = "";
  c.claim.责任比例 = "100";
  c.claim.其他受害人死亡伤残 = "295120", c.claim.其他受害人医疗费用 = "151236";
  c.claim.其他受害人财产损失 = "1000";
  expectColumns(c, {{"交强险死亡伤残", "151375.72"},
                    {"交强险医疗费用", "8841.46"},
                    {"交强险财产损失", "1500.00"},
                    {"交强险合计", "161717.18"},
                    {"剩余损失", "1551485.62"},
                    {"商业三者险", "1000000.00"},
                    {"侵权人", "551485.62"},
                    {"车辆1交强险赔付", "161717.18"}});
  // Losses within the limits: each victim is paid in full.
  c.claim.其他受害人死亡伤残 = "0", c.claim.其他受害人医疗费用 = "0";
  c.input.医疗费 = "1000", c.input.营养费 = "", c.claim.后续治疗费 = "";
  c.input.住院天数 = "0";
  c.claim.其他受害人财产损失 = "1000", c.claim.财产损失 = "1000";
  expectColumns(c, {{"交强险医疗费用", "1000.00"}, {"交强险财产损失", "1000.00"}});
}

// The payers' rules, each on the medical-only victim.
struct PayerRow {
  const char* name;
  std::function<void(Case&)> change;
  Expected expected;
};

void PrintTo(const PayerRow& row, std::ostream* out) {
  *out << row.name;
}

class PayerRules : public ::testing::TestWithParam<PayerRow> {};

TEST_P(PayerRules, GiveTheirFigures) {
  Case c = medicalOnly("10000");
  GetParam().change(c);
  expectColumns(c, GetParam().expected);
}

void vehicles(Case& c, std::vector<std::array<const char*, 3>> rows) {
  std::array<std::string*, 9> fields{
      &c.claim.交强险,      &c.claim.责任比例,      &c.claim.商业三者险限额,
      &c.claim.车辆2交强险, &c.claim.车辆2责任比例, &c.claim.车辆2商业三者险限额,
      &c.claim.车辆3交强险, &c.claim.车辆3责任比例, &c.claim.车辆3商业三者险限额};
  for (std::size_t v = 0; v < rows.size(); ++v) {
    for (std::size_t k = 0; k < 3; ++k) *fields[v * 3 + k] = rows[v][k];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PayerRules,
    ::testing::Values(
        PayerRow{"notLiableBesideLiable",
                 [](Case& c) {
                   vehicles(c, {{"有责", "100", ""}, {"无责", "0", ""}});
                 },
                 {{"交强险医疗费用", "10000.00"},
                  {"车辆1交强险赔付", "9090.91"},
                  {"车辆2交强险赔付", "909.09"},
                  {"剩余损失", "0.00"}}},
        PayerRow{"uninsuredBesideLiable",
                 [](Case& c) {
                   vehicles(c, {{"有责", "60", ""}, {"无", "40", "1000"}});
                 },
                 {{"交强险医疗费用", "10000.00"},
                  {"车辆1交强险赔付", "10000.00"},
                  {"车辆2交强险赔付", "0.00"},
                  {"剩余损失", "0.00"}}},
        PayerRow{"thirdVehicleWithoutTheSecond",
                 [](Case& c) {
                   c.input.医疗费 = "40000";
                   vehicles(c, {{"有责", "50", ""}, {"", "", ""}, {"有责", "50", "5000"}});
                 },
                 {{"交强险医疗费用", "36000.00"},
                  {"车辆1交强险赔付", "18000.00"},
                  {"车辆3交强险赔付", "18000.00"},
                  {"车辆1侵权人", "2000.00"},
                  {"车辆3商业三者险", "2000.00"},
                  {"车辆2责任方承担", "0.00"}}},
        PayerRow{"sharesAddingToExactly100",
                 [](Case& c) {
                   vehicles(c, {{"", "99.99", ""}, {"", "0.01", ""}});
                 },
                 {{"责任方承担", "10000.00"},
                  {"车辆1责任方承担", "9999.00"},
                  {"车辆2责任方承担", "1.00"},
                  {"受害人自担", "0.00"}}},
        // Rounding each part would pay a fen too many; the last taking the rest, a negative part.
        PayerRow{"splitByLargestRemainders",
                 [](Case& c) {
                   c.input.医疗费 = "0.10";
                   vehicles(c, {{"", "17.59", ""}, {"", "75.23", ""}, {"", "1.92", ""}});
                 },
                 {{"责任方承担", "0.09"},
                  {"车辆1责任方承担", "0.02"},
                  {"车辆2责任方承担", "0.07"},
                  {"车辆3责任方承担", "0.00"}}},
        PayerRow{"oneFenOverTwoEqualCarsGoesToTheFirst",
                 [](Case& c) {
                   c.input.医疗费 = "0.01";
                   vehicles(c, {{"", "50", ""}, {"", "50", ""}});
                 },
                 {{"车辆1责任方承担", "0.01"}, {"车辆2责任方承担", "0.00"}}},
        PayerRow{"lastVehicleWithTheLargestRemainder",
                 [](Case& c) {
                   c.input.医疗费 = "0.01";
                   vehicles(c, {{"", "20", ""}, {"", "", ""}, {"", "80", ""}});
                 },
                 {{"车辆1责任方承担", "0.00"}, {"车辆3责任方承担", "0.01"}}},
        PayerRow{"equalRemaindersInVehicleOrder",
                 [](Case& c) {
                   c.input.医疗费 = "0.02";
                   vehicles(c, {{"", "33.33", ""}, {"", "33.33", ""}, {"", "33.33", ""}});
                 },
                 {{"责任方承担", "0.02"},
                  {"车辆1责任方承担", "0.01"},
                  {"车辆2责任方承担", "0.01"},
                  {"车辆3责任方承担", "0.00"}}},
        PayerRow{"laterCareAtTwentyYearsFull",
                 [](Case& c) {
                   c.claim.护理依赖 = "完全", c.claim.后续护理年限 = "20";
                   c.claim.后续护理日工资 = "100.01";
                 },
                 {{"清单后续护理费", "730073.00"}}},
        PayerRow{"laterCareMostlyDependent",
                 [](Case& c) {
                   c.claim.护理依赖 = "大部分", c.claim.后续护理年限 = "0.5";
                   c.claim.后续护理日工资 = "99.99";
                 },
                 {{"清单后续护理费", "14598.54"}}},
        PayerRow{"appraisalUnderNoHeadPropertyUnderItsOwn",
                 [](Case& c) {
                   vehicles(c, {{"无责", "", ""}});
                   c.claim.鉴定费 = "500", c.claim.财产损失 = "300";
                 },
                 {{"交强险医疗费用", "1800.00"},
                  {"交强险财产损失", "100.00"},
                  {"交强险死亡伤残", "0.00"},
                  {"剩余损失", "8900.00"}}},
        // Property limits stand 20 to 1, not 10 to 1 as the other heads.
        PayerRow{"propertySharedByPropertyLimits",
                 [](Case& c) {
                   c.input.医疗费 = "0", c.claim.财产损失 = "3000";
                   vehicles(c, {{"有责", "100", ""}, {"无责", "0", ""}});
                 },
                 {{"交强险财产损失", "2100.00"},
                  {"车辆1交强险赔付", "2000.00"},
                  {"车辆2交强险赔付", "100.00"}}},
        // Within the limit alone, past it with the other victims': paid by the
        // losses' proportion, not in full.
        PayerRow{"othersTakeTheHeadPastItsLimit",
                 [](Case& c) {
                   born(c, "1980", "1", "1");
                   accident(c, "2011", "11", "11");
                   c.input.医疗费 = "5000", c.claim.计算标准年度 = "";
                   c.claim.交强险 = "有责", c.claim.其他受害人医疗费用 = "8000";
                 },
                 {{"交强险医疗费用", "3846.15"}, {"侵权人", "1153.85"}}},
        PayerRow{"laterTreatmentAloneUnderMedical",
                 [](Case& c) { c.claim.交强险 = "有责", c.claim.后续治疗费 = "9000"; },
                 {{"清单后续治疗费", "9000.00"}, {"交强险医疗费用", "18000.00"}}}),
    [](const auto& row) { return std::string(row.param.name); });

// Refusals: one notice, naming the fault, and no amounts.
struct TrafficRefusal {
  const char* name;
  std::function<void(Case&)> change;
  const char* message;
};

void PrintTo(const TrafficRefusal& row, std::ostream* out) {
  *out << row.name;
}

class TrafficRefusals : public ::testing::TestWithParam<TrafficRefusal> {};

TEST_P(TrafficRefusals, NameTheirFault) {
  Case c = medicalOnly("10000");
  GetParam().change(c);
  const auto got = columns(c, with2024());
  EXPECT_NE(got.at("清单提示").find(GetParam().message), std::string::npos) << got.at("清单提示");
  EXPECT_EQ(got.at("清单合计"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrafficRefusals,
    ::testing::Values(
        TrafficRefusal{"dependencyNotOffered", [](Case& c) { c.claim.护理依赖 = "全部"; },
                       "护理依赖“全部”只能是"},
        TrafficRefusal{"careWithoutYearsOrRate", [](Case& c) { c.claim.护理依赖 = "部分"; },
                       "后续护理年限为空"},
        TrafficRefusal{"careWithoutDependency",
                       [](Case& c) { c.claim.后续护理年限 = "5", c.claim.后续护理日工资 = "100"; },
                       "护理依赖为空"},
        TrafficRefusal{"careWithoutRate",
                       [](Case& c) { c.claim.护理依赖 = "完全", c.claim.后续护理年限 = "0"; },
                       "后续护理日工资为空"},
        TrafficRefusal{"careOverTwentyYears",
                       [](Case& c) {
                         c.claim.护理依赖 = "完全", c.claim.后续护理年限 = "20.01";
                         c.claim.后续护理日工资 = "100";
                       },
                       "后续护理年限“20.01”超出范围"},
        TrafficRefusal{"deathWithLaterTreatment",
                       [](Case& c) { c.claim.案件类型 = "死亡", c.claim.后续治疗费 = "0"; },
                       "后续治疗费“0”不适用于死亡案件"},
        TrafficRefusal{"deathWithLaterCareRate",
                       [](Case& c) { c.claim.案件类型 = "死亡", c.claim.后续护理日工资 = "0"; },
                       "后续护理日工资“0”不适用于死亡案件"},
        TrafficRefusal{"firstShareEmptyWithSeveral",
                       [](Case& c) {
                         vehicles(c, {{"有责", "", ""}, {"", "", "0"}});
                       },
                       "责任比例为空"},
        TrafficRefusal{"firstShareEmptyBesideOnlyTheThird",
                       [](Case& c) {
                         vehicles(c, {{"有责", "", ""}, {"", "", ""}, {"无", "50", ""}});
                       },
                       "责任比例为空"},
        TrafficRefusal{"lastShareEmptyWithSeveral",
                       [](Case& c) {
                         vehicles(c, {{"", "10", ""}, {"", "10", ""}, {"无", "", ""}});
                       },
                       "车辆3责任比例为空"},
        TrafficRefusal{"sharesOver100",
                       [](Case& c) {
                         vehicles(c, {{"", "50", ""}, {"", "50.01", ""}});
                       },
                       "合计超过 100"},
        TrafficRefusal{"vehicleInsuranceNotOffered",
                       [](Case& c) {
                         vehicles(c, {{"", "50", ""}, {"有", "50", ""}});
                       },
                       "车辆2交强险“有”只能是"},
        TrafficRefusal{"thirdVehicleInsuredBefore2008",
                       [](Case& c) {
                         born(c, "1980", "1", "1");
                         accident(c, "2008", "1", "31");
                         vehicles(c, {{"", "50", ""}, {"", "50", ""}, {"无责", "0", ""}});
                       },
                       "车辆3交强险：事故发生日 2008-01-31 早于"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TrafficClaim, FiledTableShowsEachHeadAndEachVehicle) {
  const Case c = twoCars();
  const auto outcome = computeClaim(c.input, c.claim, with2024(), true);
  EXPECT_EQ(std::get<ClaimSheet>(outcome).itemWorking[后续护理费],
            "150 元 × 365 天 × 10 年 × 50%（部分护理依赖） = 273750.00");
  // The printed section lists what is set; its table each head's loss, limit
  // and parts, the shares added up and each vehicle's payers.
  const auto section = reportSection(c.claim, outcome);
  const auto has = [&](const std::string& name, const std::string& amount) {
    for (const auto& row : section.rows) {
      if (row.name == name) return row.value == amount;
    }
    for (const auto& row : section.table) {
      if (row[1] == name) return row[3] == amount;
    }
    return false;
  };
  EXPECT_TRUE(has("护理依赖", "部分"));
  EXPECT_TRUE(has("后续护理费", "273750.00"));
  EXPECT_FALSE(has("车辆3 侵权人", "0.00"));
  const std::string insurance =
      "道路交通安全法第七十六条、机动车交通事故责任强制保险条例第二十三条";
  const std::string commercial = "民法典第一千二百一十三条";
  const std::vector<std::vector<std::string>> rows{
      {"", "交强险（医疗费用）",
       "医疗费用类损失 146000.00，限额 36000（车辆1 18000.00，车辆2 18000.00）", "36000.00",
       insurance},
      {"", "交强险（财产损失）",
       "财产损失类损失 3000.00，限额 4000（车辆1 1500.00，车辆2 1500.00）", "3000.00", insurance},
      {"", "责任方承担", "1314202.80 × 90%（70% + 20%）", "1182782.52", "道路交通安全法第七十六条"},
      {"", "车辆2 商业三者险", "按责任比例分摊 262840.56，限额 200000", "200000.00", commercial},
      {"", "车辆2 侵权人", "262840.56 - 200000.00", "62840.56", commercial}};
  for (const auto& row : rows) {
    EXPECT_NE(std::find(section.table.begin(), section.table.end(), row), section.table.end())
        << row[1] << " " << row[2];
  }
  // Vehicle 3 beside vehicle 1 alone, and no later input: unset inputs and
  // items of 0 are left out.
  Case third = medicalOnly("10000");
  vehicles(third, {{"有责", "50", ""}, {"", "", ""}, {"有责", "50", ""}});
  const auto printed =
      reportSection(third.claim, computeClaim(third.input, third.claim, with2024(), true));
  const auto count = [&](const char* name) {
    return std::count_if(printed.rows.begin(), printed.rows.end(),
                         [&](const auto& row) { return row.name == name; }) +
           std::count_if(printed.table.begin(), printed.table.end(),
                         [&](const auto& row) { return row[1] == name; });
  };
  EXPECT_EQ(count("交强险（医疗费用）"), 1);
  EXPECT_EQ(count("护理依赖") + count("后续护理费") + count("鉴定费"), 0);
  // Only the vehicles taking part share the head.
  const auto& medical = printed.table[3];
  EXPECT_NE(medical[2].find("（车辆1 5000.00，车辆3 5000.00）"), std::string::npos) << medical[2];
}

}  // namespace
}  // namespace quorvane::claim
