#include <algorithm>
#include <array>
#include <variant>

#include "claim_document.h"
#include "complaint_parts.h"

namespace quorvane::complaint::detail {
namespace {

using document::Align;
using document::Style;
using Lines = std::vector<std::string>;

constexpr std::array<std::string_view, 9> kInstructions{
    "说明：",
    "为了方便您更好地参加诉讼，保护您的合法权利，请填写本表。",
    "1. 起诉时需向人民法院提交证明您身份的材料，如身份证复印件、营业执照复印件等。",
    "2. 本表所列内容是您提起诉讼以及人民法院查明案件事实所需，请务必如实填写。",
    "3. 本表有些内容可能与您的案件无关，您认为与案件无关的项目可以填“无”或不填；对于本表中勾选项"
    "可以在对应项打“√”；您认为另有重要内容需要列明的，可以另附页填写。",
    "4. 本表 word "
    "电子版填写时，相关栏目可复制粘贴或扩容，但不得改变要素内容、格式设置。例如，多原告、"
    "多被告或多委托诉讼代理人等情况，可根据实际情况复制粘贴；需填写文字较多时，可根据实际对栏目进行"
    "扩容"
    "等。",
    "★特别提示★",
    "诉讼参加人应遵守诚信原则如实认真填写表格。",
    "如果诉讼参加人违反有关规定，虚假诉讼、恶意诉讼、滥用诉权，人民法院将视违法情形依法追究责任。",
};

// A person's or an organisation's block past its first line, as the form
// leaves them for the lawyer.
constexpr std::string_view kBirthBlank = "　年　月　日";
constexpr std::array<std::string_view, 6> kOrganisationLines{
    "住所地（主要办事机构所在地）：",
    "注册地 / 登记地：",
    "法定代表人 / 负责人：　统一社会信用代码：",
    "职务：　联系电话：",
    "类型：有限责任公司□ 其他企业法人□ 社会服务机构□ 股份有限公司□ 上市公司□ 事业单位□ 社会团体□ "
    "基金会□ 机关法人□ 农村集体经济组织法人□ 城镇农村的合作经济组织法人□ 基层群众性自治组织法人□ "
    "个人独资企业□ 合伙企业□ 不具有法人资格的专业服务机构□",
    "所有制性质：国有□（控股□ / 参股□） 民营□ 其他＿",
};

struct Person {
  std::string name, sex, birth, nation, employer, post, phone, home, residence, idType, idNumber;
};

Lines personLines(const Person& p) {
  return {
      "姓名：" + p.name,
      "性别：男" + std::string(box(p.sex == "男")) + " 女" + std::string(box(p.sex == "女")),
      "出生日期：" + (p.birth.empty() ? std::string(kBirthBlank) : p.birth) + "　民族：" + p.nation,
      "工作单位：" + p.employer + "　职务：" + p.post + "　联系电话：" + p.phone,
      "住所地（户籍所在地）：" + p.home + "　经常居住地：" + p.residence,
      "证件类型：" + p.idType + "　证件号码：" + p.idNumber};
}

// A defendant's block: only the name is the case's.
Person namedOnly(std::string name) {
  Person p;
  p.name = std::move(name);
  return p;
}

Lines organisationLines(const std::string& name) {
  Lines lines{"名称：" + name};
  lines.insert(lines.end(), kOrganisationLines.begin(), kOrganisationLines.end());
  return lines;
}

// The plaintiff: the victim in an injury case, whose birth date is the
// case's; in a death case the relative, whose number gives it. The number's
// sex ticks the box the input leaves empty.
Person plaintiff(const FormInput& in) {
  const ComplaintInput& c = in.complaint;
  Person p{c.原告姓名,    c.原告性别,     {},           c.原告民族,       c.原告工作单位,
           c.原告职务,    c.原告联系电话, c.原告住所地, c.原告经常居住地, c.原告证件类型,
           c.原告证件号码};
  if (p.idType.empty()) p.idType = "居民身份证";
  if (!c.原告证件号码.empty() && residentCard(c)) {
    const auto read = readIdNumber(c.原告证件号码);
    if (const auto* id = std::get_if<IdNumber>(&read)) {
      p.idNumber = id->text;
      if (p.sex.empty()) p.sex = id->male ? "男" : "女";
      p.birth = dateText(id->birth);
    }
  }
  if (in.claim.案件类型 != "死亡") {
    const CaseInput& i = in.input;
    p.birth = dateText(typedDate(i.受害人生日年, i.受害人生日月, i.受害人生日日));
  }
  return p;
}

Lines agentLines(const ComplaintInput& c) {
  const bool any = !(c.代理人姓名.empty() && c.代理人单位.empty() && c.代理人职务.empty() &&
                     c.代理人联系电话.empty() && c.代理权限.empty());
  return {"有" + std::string(box(any)), "姓名：" + c.代理人姓名,
          "单位：" + c.代理人单位 + "　职务：" + c.代理人职务 + "　联系电话：" + c.代理人联系电话,
          "代理权限：一般授权" + std::string(box(c.代理权限 == "一般授权")) + " 特别授权" +
              std::string(box(c.代理权限 == "特别授权")),
          "无" + std::string(box(!any))};
}

void addParties(FormTable& table, const FormInput& in) {
  table.heading("当事人信息");
  table.row("原告（自然人）", personLines(plaintiff(in)));
  table.row("原告（法人、非法人组织）", {"无"});
  table.row("委托诉讼代理人", agentLines(in.complaint));
  for (const Defendant& d : in.made.defendants) {
    if (d.organisation) {
      table.row("被告（法人、非法人组织）", organisationLines(d.name));
    } else {
      table.row("被告（自然人）", personLines(namedOnly(d.name)));
    }
  }
  // With no name at all, one empty block of each kind keeps the form's elements.
  if (in.made.defendants.empty()) {
    table.row("被告（自然人）", personLines({}));
    table.row("被告（法人、非法人组织）", organisationLines({}));
  }
  table.row("第三人（自然人）", {"无"});
  table.row("第三人（法人、非法人组织）", {"无"});
}

}  // namespace

void FormTable::heading(std::string text) {
  document::Cell cell;
  cell.span = 2;
  cell.paragraphs.push_back(
      document::paragraph(std::move(text), Style::heading, Align::centre, true));
  table_.rows.push_back({{std::move(cell)}});
}

void FormTable::wide(document::Cell cell) {
  cell.span = 2;
  table_.rows.push_back({{std::move(cell)}});
}

void FormTable::row(std::string label, std::vector<std::string> lines) {
  table_.rows.push_back({{document::cell({std::move(label)}), document::cell(std::move(lines))}});
}

document::Document form(const FormInput& in) {
  document::Document doc;
  auto& blocks = doc.blocks;
  blocks.emplace_back(document::paragraph("民事起诉状", Style::title, Align::centre));
  blocks.emplace_back(
      document::paragraph("（机动车交通事故责任纠纷）", Style::heading, Align::centre));
  FormTable table;
  document::Cell instructions = document::cell(Lines(kInstructions.begin(), kInstructions.end()));
  for (auto* bold : {&instructions.paragraphs.front(), &instructions.paragraphs[6]}) {
    bold->spans.front().bold = true;
  }
  table.wide(std::move(instructions));
  addParties(table, in);
  addRequests(table, in);
  addApplications(table, in.complaint);
  addFacts(table, in);
  addMediation(table, in.complaint);
  blocks.emplace_back(table.take());
  blocks.emplace_back(
      document::paragraph("具状人（签字、盖章）：　日期：", Style::body, Align::right));
  blocks.emplace_back(document::PageBreak{});
  blocks.emplace_back(document::paragraph("附页：赔偿清单", Style::heading));
  blocks.emplace_back(document::paragraph(claim::sheetFacts(in.input, in.claim)));
  blocks.emplace_back(claim::sheetTable(in.rows));
  return doc;
}

}  // namespace quorvane::complaint::detail
