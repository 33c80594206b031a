#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "claim_document.h"
#include "claim_table.h"
#include "complaint_testing.h"

// The form: its layout, the 13 rows' amounts, the parties' blocks and the
// facts and reasons.

namespace quorvane::complaint {
namespace {

using testing::Filing;
using testing::rowText;

Filing namedTwoCars() {
  Filing f = testing::twoCars();
  testing::nameParties(f.complaint);
  return f;
}

TEST(Form, LaysOutTheTablesThePageBreakAndTheSheet) {
  const Filing f = namedTwoCars();
  const auto form = testing::make(f).form;
  ASSERT_EQ(form.blocks.size(), 8u);
  const auto paragraphText = [&](std::size_t k) {
    const auto& p = std::get<document::Paragraph>(form.blocks[k]);
    return std::make_pair(p.spans.at(0).text, p.align);
  };
  using document::Align;
  EXPECT_EQ(paragraphText(0), std::make_pair(std::string("民事起诉状"), Align::centre));
  EXPECT_EQ(paragraphText(1),
            std::make_pair(std::string("（机动车交通事故责任纠纷）"), Align::centre));
  EXPECT_EQ(paragraphText(3),
            std::make_pair(std::string("具状人（签字、盖章）：　日期："), Align::right));
  EXPECT_TRUE(std::holds_alternative<document::PageBreak>(form.blocks[4]));
  EXPECT_EQ(paragraphText(5).first, "附页：赔偿清单");
  EXPECT_EQ(paragraphText(6).first, claim::sheetFacts(f.c.input, f.c.claim));
  const auto outcome = claim::computeClaim(f.c.input, f.c.claim, f.standards, true);
  EXPECT_EQ(std::get<document::Table>(form.blocks[7]),
            claim::sheetTable(claim::filedTable(outcome)));

  // Two columns of 24% and 76%; a full-width row is the 说明, a heading or a note.
  const auto& table = testing::formTable(form);
  EXPECT_EQ(table.widths, (std::vector<int>{24, 76}));
  std::vector<std::string> labels, wide;
  for (const auto& row : table.rows) {
    int spans = 0;
    for (const auto& cell : row.cells) spans += cell.span;
    EXPECT_EQ(spans, 2);
    if (row.cells.size() == 1) {
      wide.push_back(row.cells[0].paragraphs.at(0).spans.at(0).text);
    } else {
      labels.push_back(testing::cellText(row.cells[0]));
    }
  }
  const std::vector<std::string> expectedWide{
      "说明：",
      "当事人信息",
      "诉讼请求",
      "（主张人身损害赔偿，填写第 1 项至第 10 项；主张赔偿财产损失，填写第 11 项；第 12 项至第 13 "
      "项为共同项）",
      "（可完整表述诉讼请求；为方便、准确梳理要点，相关内容请在下方要素式表格中填写）",
      "诉前保全及鉴定申请",
      "事实与理由",
      "（可完整表述纠纷涉及的事实与理由；为方便、准确梳理要点，相关内容请在下方要素式表格中填写）",
      "对纠纷解决方式的意愿"};
  EXPECT_EQ(wide, expectedWide);
  const std::vector<std::string> expectedLabels{
      "原告（自然人）",
      "原告（法人、非法人组织）",
      "委托诉讼代理人",
      "被告（自然人）",
      "被告（法人、非法人组织）",
      "被告（自然人）",
      "被告（法人、非法人组织）",
      "被告（法人、非法人组织）",
      "被告（法人、非法人组织）",
      "第三人（自然人）",
      "第三人（法人、非法人组织）",
      "1. 医疗费",
      "2. 护理费",
      "3. 营养费",
      "4. 住院伙食补助费",
      "5. 误工费",
      "6. 交通费",
      "7. 残疾赔偿金（含被扶养人生活费）",
      "8. 残疾辅助器具费",
      "9. 死亡赔偿金、丧葬费",
      "10. 精神损害抚慰金",
      "11. 财产损失",
      "12. 其他费用",
      "13. 标的总额",
      "1. 是否已经诉前保全",
      "2. 是否申请鉴定",
      "1. 交通事故发生情况",
      "2. 交通事故责任认定",
      "3. 机动车投保情况",
      "4. 请求依据",
      "5. 证据清单（可另附页）",
      "是否了解调解作为非诉讼纠纷解决方式，能及时、高效、低成本、不伤和气地解决纠纷",
      "是否了解先行调解解决纠纷的好处",
      "是否考虑先行调解"};
  EXPECT_EQ(labels, expectedLabels);
  // Without a name, one blank block of each kind.
  const auto unnamed = testing::make(testing::twoCars()).form;
  EXPECT_TRUE(rowText(unnamed, "被告（自然人）").starts_with("姓名：\n性别：男□ 女□"));
  EXPECT_TRUE(rowText(unnamed, "被告（法人、非法人组织）").starts_with("名称：\n住所地"));
  EXPECT_EQ(rowText(unnamed, "被告（自然人）", 1), "(no row 被告（自然人）)");
  EXPECT_NE(
      testing::cellText(table.rows[0].cells[0])
          .find("\n4. 本表 word "
                "电子版填写时，相关栏目可复制粘贴或扩容，但不得改变要素内容、格式设置。"
                "例如，多原告、多被告或多委托诉讼代理人等情况，可根据实际情况复制粘贴；需填写文字"
                "较多时，可根据实际对栏目进行扩容等。\n"),
      std::string::npos);
}

struct RowCase {
  const char* name;
  std::function<Filing()> filing;
  std::string label;
  std::string expected;
  std::size_t n = 0;
};

void PrintTo(const RowCase& row, std::ostream* out) {
  *out << row.name;
}

class Rows : public ::testing::TestWithParam<RowCase> {};

TEST_P(Rows, AreFilledFromTheCase) {
  const Complaint made = testing::make(GetParam().filing());
  ASSERT_EQ(made.fault, "");
  EXPECT_EQ(rowText(made.form, GetParam().label, GetParam().n), GetParam().expected);
}

const std::string kBasisOfTwoCars =
    "《中华人民共和国民法典》第一千一百七十九条、第一千一百八十三条、第一千一百八十四条、第一千二百"
    "零八条、"
    "第一千二百一十三条，《中华人民共和国道路交通安全法》第七十六条，《机动车交通事故责任强制保险条"
    "例》第"
    "二十一条、第二十三条，《最高人民法院关于审理人身损害赔偿案件适用法律若干问题的解释》第六条、第"
    "七条、第"
    "八条、第九条、第十条、第十一条、第十二条、第十六条、第十七条，《最高人民法院关于审理道路交通事"
    "故损害赔"
    "偿案件适用法律若干问题的解释》第十二条、第十三条、第十八条。各项损失的计算方式及依据见附页《赔"
    "偿清单》。";

Filing withComplaint(std::function<Filing()> base, std::function<void(ComplaintInput&)> change) {
  Filing f = base();
  change(f.complaint);
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rows,
    ::testing::Values(
        RowCase{"medical", namedTwoCars, "1. 医疗费",
                "＿年＿月＿日至＿年＿月＿日期间在＿医院住院（门诊）治疗，累计发生医疗费120000."
                "00元；后续治"
                "疗费20000.00元\n医疗费发票、医疗费清单、病历资料：有□ 无□"},
        RowCase{"care", namedTwoCars, "2. 护理费",
                "住院护理60天支付护理费9000."
                "00元（或护理人员发生误工费＿元），或遵医嘱短期护理发生护理费＿"
                "元；后续护理费273750.00元\n住院证明、医嘱等：有□ 无□"},
        // Days without a wage cost nothing: the days go, the later care stays.
        RowCase{
            "laterCareWithoutCare",
            [] {
              Filing f = namedTwoCars();
              f.c.input.护理人员1的工资 = "";
              return f;
            },
            "2. 护理费",
            "住院护理＿天支付护理费＿元（或护理人员发生误工费＿元），或遵医嘱短期护理发生护理费＿"
            "元；后续护理费273750.00元\n住院证明、医嘱等：有□ 无□"},
        RowCase{"disability", namedTwoCars, "7. 残疾赔偿金（含被扶养人生活费）",
                "残疾赔偿金1063800.00元；被扶养人生活费122152.80元"},
        RowCase{"nothingClaimed", namedTwoCars, "9. 死亡赔偿金、丧葬费", "无"},
        RowCase{"property", namedTwoCars, "11. 财产损失",
                "车辆损失：＿　停运损失：＿　其他损失：＿；合计3000.00元"},
        RowCase{
            "costs", namedTwoCars, "12. 其他费用",
            "（诉讼费、鉴定费等）鉴定费3500.00元；本案诉讼费用由被告负担（案件受理费19036.04元）"},
        RowCase{"total", namedTwoCars, "13. 标的总额", "1581782.52元（各项损失合计1713202.80元）"},
        RowCase{
            "deathItems", testing::death, "9. 死亡赔偿金、丧葬费",
            "死亡赔偿金806420.00元，丧葬费34760.50元；被扶养人生活费91962.50元（计入死亡赔偿金）"},
        RowCase{"deathHasNoDisability", testing::death, "7. 残疾赔偿金（含被扶养人生活费）", "无"},
        RowCase{"accidentBlank", namedTwoCars, "1. 交通事故发生情况", "2023年3月15日，＿"},
        RowCase{"accidentInADeath",
                [] {
                  return withComplaint(testing::death, [](ComplaintInput& c) {
                    c.事故经过 = "在某路口相撞。\r\n受害人经抢救无效死亡。";
                    c.受害人姓名 = "王某", c.原告与受害人关系 = "子";
                  });
                },
                "1. 交通事故发生情况",
                "2013年6月1日，在某路口相撞。\n受害人经抢救无效死亡。原告系受害人王某之子。"},
        RowCase{"insuranceNamed", namedTwoCars, "3. 机动车投保情况",
                "车辆京A12345（所有人张某）在甲财产保险股份有限公司北京分公司投保机动车交通事故责任"
                "强制保"
                "险，并投保商业第三者责任保险，责任限额1000000元。\n车辆京B67890（所有人乙运输有限"
                "公司）在"
                "丙财产保险股份有限公司北京分公司投保机动车交通事故责任强制保险，在丁财产保险股份有"
                "限公司北"
                "京分公司投保商业第三者责任保险，责任限额200000元。"},
        RowCase{"insuranceWithTheSameInsurerNamedTwice",
                [] {
                  return withComplaint(namedTwoCars, [](ComplaintInput& c) {
                    c.车辆1商业三者险保险公司 = c.车辆1交强险保险公司, c.车辆2所有人 = "";
                    c.车辆1号牌 = c.车辆2号牌 = c.车辆2商业三者险保险公司 = "";
                  });
                },
                "3. 机动车投保情况",
                "车辆1（所有人张某）在甲财产保险股份有限公司北京分公司投保机动车交通事故责任强制保"
                "险，并投保商业"
                "第三者责任保险，责任限额1000000元。\n车辆2（所有人李某）在丙财产保险股份有限公司北"
                "京分公司投保"
                "机动车交通事故责任强制保险，并投保商业第三者责任保险，责任限额200000元。"},
        RowCase{"insuranceUnnamed",
                [] {
                  Filing f = testing::notLiable();
                  f.c.claim.车辆2交强险 = "无", f.c.claim.车辆2商业三者险限额 = "1000.5";
                  return f;
                },
                "3. 机动车投保情况",
                "车辆1（所有人＿）在＿投保机动车交通事故责任强制保险。\n车辆2（所有人＿）未投保机动"
                "车交通"
                "事故责任强制保险，在＿投保商业第三者责任保险，责任限额1000.50元。"},
        RowCase{"insuranceUninsured", testing::uninsured, "3. 机动车投保情况",
                "车辆1（所有人＿）在＿投保机动车交通事故责任强制保险。\n车辆2（所有人乙运输有限公司"
                "）未投保机"
                "动车交通事故责任强制保险。"},
        RowCase{"basisOfAnUninsuredVehicle", testing::uninsured, "4. 请求依据",
                "《中华人民共和国民法典》第一千一百七十九条、第一千二百零八条、第一千二百一十三条，"
                "《中华人民"
                "共和国道路交通安全法》第七十六条，《机动车交通事故责任强制保险条例》第二十一条、第"
                "二十三条，"
                "《最高人民法院关于审理人身损害赔偿案件适用法律若干问题的解释》第六条，《最高人民法"
                "院关于审理"
                "道路交通事故损害赔偿案件适用法律若干问题的解释》第十六条、第十八条。各项损失的计算"
                "方式及依据见"
                "附页《赔偿清单》。"},
        RowCase{"basisOfSeveralVehicles", namedTwoCars, "4. 请求依据", kBasisOfTwoCars},
        RowCase{"basisOfAnInjury",
                [] {
                  Filing f;
                  f.c = claim::testing::workedExample();
                  return f;
                },
                "4. 请求依据",
                "《中华人民共和国民法典》第一千一百七十九条、第一千一百八十三条、第一千二百零八条、"
                "第一千二百"
                "一十三条，《中华人民共和国道路交通安全法》第七十六条，《机动车交通事故责任强制保险"
                "条例》第二"
                "十一条、第二十三条，《最高人民法院关于审理人身损害赔偿案件适用法律若干问题的解释》"
                "第六条、第"
                "七条、第八条、第九条、第十条、第十一条、第十二条、第十六条、第十七条，《最高人民法"
                "院关于审理"
                "道路交通事故损害赔偿案件适用法律若干问题的解释》第十三条。各项损失的计算方式及依据"
                "见附页《赔"
                "偿清单》。"},
        RowCase{"basisOfADeath", testing::death, "4. 请求依据",
                "《中华人民共和国民法典》第一千一百七十九条、第一千一百八十一条、第一千一百八十三条"
                "、第一千二"
                "百零八条、第一千二百一十三条，《中华人民共和国道路交通安全法》第七十六条，《机动车"
                "交通事故责"
                "任强制保险条例》第二十一条、第二十三条，《最高人民法院关于审理人身损害赔偿案件适用"
                "法律若干问"
                "题的解释》第六条、第七条、第九条、第十条、第十四条、第十五条、第十六条、第十七条，"
                "《最高人民"
                "法院关于审理道路交通事故损害赔偿案件适用法律若干问题的解释》第十三条。各项损失的计"
                "算方式及依"
                "据见附页《赔偿清单》。"},
        // Uninsured, with other victims; no 交强险 at all leaves out its regulation.
        RowCase{"basisWithoutCompulsoryPolicies",
                [] {
                  Filing f = testing::notLiable();
                  f.c.claim.交强险 = "", f.c.claim.车辆2交强险 = f.c.claim.车辆2责任比例 = "";
                  f.c.claim.其他受害人医疗费用 = "1";
                  return f;
                },
                "4. 请求依据",
                "《中华人民共和国民法典》第一千一百七十九条、第一千二百零八条、第一千二百一十三条，"
                "《中华人民"
                "共和国道路交通安全法》第七十六条，《最高人民法院关于审理人身损害赔偿案件适用法律若"
                "干问题的解"
                "释》第六条，《最高人民法院关于审理道路交通事故损害赔偿案件适用法律若干问题的解释》"
                "第十九条。"
                "各项损失的计算方式及依据见附页《赔偿清单》。"},
        // Several vehicles though vehicle 2 takes no part; other victims under the last head only.
        RowCase{
            "basisOfTheFirstAndThirdCars",
            [] {
              Filing f = testing::firstAndThirdCars();
              f.c.claim.其他受害人财产损失 = "1";
              return f;
            },
            "4. 请求依据",
            "《中华人民共和国民法典》第一千一百七十九条、第一千二百零八条、第一千二百一十三条，"
            "《中华人民共和国道路交通安全法》第七十六条，《机动车交通事故责任强制保险条例》第二十"
            "一条、第二十三条，《最高人民法院关于审理人身损害赔偿案件适用法律若干问题的解释》第六"
            "条，《最高人民法院关于审理道路交通事故损害赔偿案件适用法律若干问题的解释》第十八条、"
            "第十九条。各项损失的计算方式及依据见附页《赔偿清单》。"},
        RowCase{"plaintiffFromTheNumberAndTheCase",
                [] {
                  return withComplaint(namedTwoCars, [](ComplaintInput& c) {
                    c.原告姓名 = "赵某", c.原告民族 = "汉族", c.原告联系电话 = "13800000000";
                    c.原告证件号码 = "11010519700520119x";
                  });
                },
                "原告（自然人）",
                "姓名：赵某\n性别：男☑ "
                "女□\n出生日期：1970年5月20日　民族：汉族\n工作单位：　职务：　联系电"
                "话：13800000000\n住所地（户籍所在地）：　经常居住地：\n证件类型：居民身份证　证件"
                "号码："
                "11010519700520119X"},
        RowCase{"plaintiffInAnInjuryIsBornOnTheVictimsBirthday", namedTwoCars, "原告（自然人）",
                "姓名：\n性别：男□ "
                "女□\n出生日期：1970年5月20日　民族：\n工作单位：　职务：　联系电话：\n住所"
                "地（户籍所在地）：　经常居住地：\n证件类型：居民身份证　证件号码："},
        RowCase{
            "plaintiffInADeathIsBornAsTheNumberSays",
            [] {
              return withComplaint(testing::death, [](ComplaintInput& c) {
                c.原告性别 = "女", c.原告证件号码 = "110105198001011246";
              });
            },
            "原告（自然人）",
            "姓名：\n性别：男□ "
            "女☑\n出生日期：1980年1月1日　民族：\n工作单位：　职务：　联系电话：\n住所"
            "地（户籍所在地）：　经常居住地：\n证件类型：居民身份证　证件号码：110105198001011246"},
        RowCase{"noAgent", namedTwoCars, "委托诉讼代理人",
                "有□\n姓名：\n单位：　职务：　联系电话：\n代理权限：一般授权□ 特别授权□\n无☑"},
        RowCase{"agent",
                [] {
                  return withComplaint(namedTwoCars, [](ComplaintInput& c) {
                    c.代理人姓名 = "钱某", c.代理人单位 = "某律师事务所", c.代理权限 = "特别授权";
                  });
                },
                "委托诉讼代理人",
                "有☑\n姓名：钱某\n单位：某律师事务所　职务：　联系电话：\n代理权限：一般授权□ "
                "特别授权☑\n无□"},
        RowCase{"agentWithItsAuthorityOnly",
                [] {
                  return withComplaint(namedTwoCars,
                                       [](ComplaintInput& c) { c.代理权限 = "一般授权"; });
                },
                "委托诉讼代理人",
                "有☑\n姓名：\n单位：　职务：　联系电话：\n代理权限：一般授权☑ 特别授权□\n无□"},
        RowCase{"naturalDefendant", namedTwoCars, "被告（自然人）",
                "姓名：李某\n性别：男□ "
                "女□\n出生日期：　年　月　日　民族：\n工作单位：　职务：　联系电话：\n"
                "住所地（户籍所在地）：　经常居住地：\n证件类型：　证件号码：",
                1},
        RowCase{"organisationDefendant", namedTwoCars, "被告（法人、非法人组织）",
                "名称：乙运输有限公司\n住所地（主要办事机构所在地）：\n注册地 / "
                "登记地：\n法定代表人 / 负责人："
                "　统一社会信用代码：\n职务：　联系电话：\n类型：有限责任公司□ 其他企业法人□ "
                "社会服务机构□ 股"
                "份有限公司□ 上市公司□ 事业单位□ 社会团体□ 基金会□ 机关法人□ 农村集体经济组织法人□ "
                "城镇农"
                "村的合作经济组织法人□ 基层群众性自治组织法人□ 个人独资企业□ 合伙企业□ "
                "不具有法人资格的专业服"
                "务机构□\n所有制性质：国有□（控股□ / 参股□） 民营□ 其他＿",
                1},
        RowCase{"appraisal",
                [] {
                  return withComplaint(namedTwoCars, [](ComplaintInput& c) {
                    c.申请鉴定 = "是", c.鉴定事项 = "伤残等级";
                  });
                },
                "2. 是否申请鉴定", "是☑ 鉴定事项：伤残等级\n否□"},
        RowCase{"preservation",
                [] {
                  return withComplaint(namedTwoCars, [](ComplaintInput& c) { c.诉前保全 = "否"; });
                },
                "1. 是否已经诉前保全",
                "是□ "
                "保全法院：　保全时间：　保全案号：\n否☑\n（如申请诉讼保全，请另行提交诉讼保全申请"
                "及相关材料）"},
        RowCase{"mediation",
                [] {
                  return withComplaint(namedTwoCars,
                                       [](ComplaintInput& c) { c.先行调解 = "暂不确定"; });
                },
                "是否考虑先行调解", "是□ 否□\n暂不确定，想要了解更多内容☑"}),
    [](const ::testing::TestParamInfo<RowCase>& row) { return std::string(row.param.name); });

TEST(Form, TheRequestsFillTheFreeTextRowAndMediationTicksAllSixBoxes) {
  Filing f = namedTwoCars();
  f.complaint.了解调解 = "了解";
  const Complaint made = testing::make(f);
  const auto& rows = testing::formTable(made.form).rows;
  std::string requests;
  for (const auto& row : rows) {
    const auto text = testing::cellText(row.cells[0]);
    if (text.starts_with("（可完整表述诉讼请求")) requests = text;
  }
  std::string expected =
      "（可完整表述诉讼请求；为方便、准确梳理要点，相关内容请在下方要素式表格中填写）";
  for (const auto& request : made.requests) expected += "\n" + request;
  EXPECT_EQ(requests, expected);
  const std::string benefits = rowText(made.form, "是否了解先行调解解决纠纷的好处");
  std::size_t ticked = 0;
  for (auto at = benefits.find("了解☑ 不了解□"); at != std::string::npos;
       at = benefits.find("了解☑ 不了解□", at + 1)) {
    ++ticked;
  }
  EXPECT_EQ(ticked, 5u);
  EXPECT_EQ(rowText(made.form,
                    "是否了解调解作为非诉讼纠纷解决方式，能及时、高效、低成本、不伤和气地解决纠纷"),
            "了解☑ 不了解□");
}

}  // namespace
}  // namespace quorvane::complaint
