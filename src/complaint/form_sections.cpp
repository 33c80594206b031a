#include <array>

#include "complaint_parts.h"

namespace quorvane::complaint::detail {
namespace {

using claim::Fen;
using Lines = std::vector<std::string>;

// An amount in a blank of the form; 0.00 leaves the blank.
std::string filled(Fen amount) {
  return amount == 0 ? std::string(kBlank) : claim::fenText(amount);
}

// "；后续治疗费20000.00元", or nothing for 0.00.
std::string added(std::string_view name, Fen amount, std::string_view after = {}) {
  if (amount == 0) return {};
  return "；" + std::string(name) + claim::fenText(amount) + "元" + std::string(after);
}

// "有□ 无□" after the evidence's name: the case does not hold it.
std::string evidence(std::string_view name) {
  return std::string(name) + "：有□ 无□";
}

// The form's row, or "无" alone when none of its amounts is claimed.
void amountRow(FormTable& table, std::string label, std::initializer_list<Fen> amounts,
               Lines lines) {
  bool any = false;
  for (Fen amount : amounts) any = any || amount != 0;
  table.row(std::move(label), any ? std::move(lines) : Lines{"无"});
}

// The days each carer nursed, "60" or "60、30", as typed.
std::string careDays(const CaseInput& input) {
  std::string days = input.人员1的护理天数;
  if (!input.人员2的护理天数.empty()) {
    days += (days.empty() ? "" : "、") + input.人员2的护理天数;
  }
  return days.empty() ? std::string(kBlank) : days;
}

constexpr std::string_view kPeriod = "＿年＿月＿日至＿年＿月＿日";

}  // namespace

void addRequests(FormTable& table, const FormInput& in) {
  const auto& items = in.sheet.items;
  const bool death = in.claim.案件类型 == "死亡";
  table.heading("诉讼请求");
  table.wide(
      document::cell({"（主张人身损害赔偿，填写第 1 项至第 10 项；主张赔偿财产损失，填写第 11 "
                      "项；第 12 项至第 13 项为共同项）"}));
  Lines free{"（可完整表述诉讼请求；为方便、准确梳理要点，相关内容请在下方要素式表格中填写）"};
  free.insert(free.end(), in.made.requests.begin(), in.made.requests.end());
  table.wide(document::cell(std::move(free)));

  const Fen medical = items[claim::医疗费], later = items[claim::后续治疗费];
  amountRow(table, "1. 医疗费", {medical, later},
            {std::string(kPeriod) + "期间在＿医院住院（门诊）治疗，累计发生医疗费" +
                 filled(medical) + "元" + added("后续治疗费", later),
             evidence("医疗费发票、医疗费清单、病历资料")});
  const Fen care = items[claim::护理费], laterCare = items[claim::后续护理费];
  // The days go with the amount they were paid for.
  amountRow(table, "2. 护理费", {care, laterCare},
            {"住院护理" + (care == 0 ? std::string(kBlank) : careDays(in.input)) + "天支付护理费" +
                 filled(care) + "元（或护理人员发生误工费＿元），或遵医嘱短期护理发生护理费＿元" +
                 added("后续护理费", laterCare),
             evidence("住院证明、医嘱等")});
  const Fen nutrition = items[claim::营养费];
  amountRow(table, "3. 营养费", {nutrition},
            {"营养费" + filled(nutrition) + "元", evidence("病历资料")});
  const Fen meals = items[claim::住院伙食补助费];
  amountRow(table, "4. 住院伙食补助费", {meals},
            {"住院伙食补助费" + filled(meals) + "元", evidence("病历资料")});
  const Fen lost = items[claim::误工费];
  amountRow(table, "5. 误工费", {lost}, {std::string(kPeriod) + "误工费" + filled(lost) + "元"});
  const Fen transport = items[claim::交通费];
  amountRow(table, "6. 交通费", {transport},
            {"交通费" + filled(transport) + "元", evidence("交通费凭证")});
  // A death case's support is counted into 死亡赔偿金, in row 9.
  const Fen disability = items[claim::残疾赔偿金];
  const Fen support = items[claim::被扶养人生活费];
  const Fen injurySupport = death ? 0 : support, deathSupport = death ? support : 0;
  amountRow(
      table, "7. 残疾赔偿金（含被扶养人生活费）", {disability, injurySupport},
      {"残疾赔偿金" + filled(disability) + "元；被扶养人生活费" + filled(injurySupport) + "元"});
  const Fen aids = items[claim::残疾辅助器具费];
  amountRow(table, "8. 残疾辅助器具费", {aids}, {"残疾辅助器具费" + filled(aids) + "元"});
  const Fen dying = items[claim::死亡赔偿金], funeral = items[claim::丧葬费];
  amountRow(table, "9. 死亡赔偿金、丧葬费", {dying, funeral, deathSupport},
            {"死亡赔偿金" + filled(dying) + "元，丧葬费" + filled(funeral) + "元" +
             added("被扶养人生活费", deathSupport, "（计入死亡赔偿金）")});
  const Fen solace = items[claim::精神损害抚慰金];
  amountRow(table, "10. 精神损害抚慰金", {solace}, {"精神损害抚慰金" + filled(solace) + "元"});
  const Fen property = items[claim::财产损失];
  amountRow(table, "11. 财产损失", {property},
            {"车辆损失：＿　停运损失：＿　其他损失：＿" + added("合计", property)});
  // The costs after the form's words, joined by "；"; the fee is never 0.00.
  const std::string costs =
      added("鉴定费", items[claim::鉴定费]) + added("住宿费", items[claim::住宿费]) +
      "；本案诉讼费用由被告负担（案件受理费" + claim::fenText(in.made.fee) + "元）";
  table.row("12. 其他费用", {"（诉讼费、鉴定费等）" + costs.substr(std::string_view("；").size())});
  std::string total = claim::fenText(in.made.claimed) + "元";
  if (in.made.claimed != in.sheet.合计) {
    total += "（各项损失合计" + claim::fenText(in.sheet.合计) + "元）";
  }
  table.row("13. 标的总额", {std::move(total)});
}

void addApplications(FormTable& table, const ComplaintInput& c) {
  table.heading("诉前保全及鉴定申请");
  table.row("1. 是否已经诉前保全",
            {"是" + std::string(box(c.诉前保全 == "是")) + " 保全法院：　保全时间：　保全案号：",
             "否" + std::string(box(c.诉前保全 == "否")),
             "（如申请诉讼保全，请另行提交诉讼保全申请及相关材料）"});
  table.row("2. 是否申请鉴定",
            {"是" + std::string(box(c.申请鉴定 == "是")) + " 鉴定事项：" + freeText(c.鉴定事项),
             "否" + std::string(box(c.申请鉴定 == "否"))});
}

void addFacts(FormTable& table, const FormInput& in) {
  const auto text = [](const std::string& typed) {
    return typed.empty() ? Lines{} : Lines{freeText(typed)};
  };
  table.heading("事实与理由");
  table.wide(
      document::cell({"（可完整表述纠纷涉及的事实与理由；为方便、准确梳理要点，相关内容请在下方要素"
                      "式表格中填写）"}));
  table.row("1. 交通事故发生情况", {accidentText(in.input, in.claim, in.complaint)});
  table.row("2. 交通事故责任认定", text(in.complaint.责任认定));
  table.row("3. 机动车投保情况", insuranceSentences(in.claim, in.complaint, in.sheet.payers));
  table.row("4. 请求依据", {basisText(in.claim, in.complaint, in.sheet, in.rows)});
  table.row("5. 证据清单（可另附页）", text(in.complaint.证据清单));
}

void addMediation(FormTable& table, const ComplaintInput& c) {
  constexpr std::array<std::string_view, 5> kBenefits{
      "1. "
      "立案后选择先行调解的，可以很快启动调解程序。如不同意调解，法院将依程序开庭审理案件，但可能需"
      "要"
      "经过较长一段时间的排期等待，且审理、执行周期相对较长。",
      "2. "
      "选择先行调解，调解成功且自动履行的免交诉讼费用，申请司法确认的不交纳诉讼费用，要求出具调解书"
      "的"
      "减半交纳诉讼费用。",
      "3. "
      "首次调解不成功，但仍有继续调解意愿的，可以选择更换调解组织和调解员再进行调解。调解无法达成一"
      "致"
      "意见的，法院将依程序排期开庭。",
      "4. 依照法律规定，调解具有保密性要求，调解过程不公开，调解协议未经当事人同意不得公开。",
      "5. 调解达成的协议具有法律效力，可以依照法律规定申请司法确认，具有强制执行效力。",
  };
  const std::string known = "了解" + std::string(box(c.了解调解 == "了解")) + " 不了解" +
                            std::string(box(c.了解调解 == "不了解"));
  table.heading("对纠纷解决方式的意愿");
  table.row("是否了解调解作为非诉讼纠纷解决方式，能及时、高效、低成本、不伤和气地解决纠纷",
            {known});
  Lines benefits;
  for (const auto benefit : kBenefits) {
    benefits.emplace_back(benefit);
    benefits.push_back(known);
  }
  table.row("是否了解先行调解解决纠纷的好处", std::move(benefits));
  table.row(
      "是否考虑先行调解",
      {"是" + std::string(box(c.先行调解 == "是")) + " 否" + std::string(box(c.先行调解 == "否")),
       "暂不确定，想要了解更多内容" + std::string(box(c.先行调解 == "暂不确定"))});
}

}  // namespace quorvane::complaint::detail
