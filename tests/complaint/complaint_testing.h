#pragma once

// What the complaint's tests share: the sheet's worked examples with the
// complaint's inputs beside them, the parties of the two-car case, and the
// form's rows found by their labels.

#include <string>
#include <variant>
#include <vector>

#include "claim_testing.h"
#include "complaint.h"

namespace quorvane::complaint::testing {

using claim::testing::accident;
using claim::testing::born;

struct Filing {
  claim::testing::Case c;
  ComplaintInput complaint;
  StandardsTable standards;
};

inline Complaint make(const Filing& f) {
  return makeComplaint(f.c.input, f.c.claim, f.complaint, f.standards);
}

inline StandardsTable with2024() {
  Standards row{88650, 50897, 50, 50};
  row.averageWage = 199049;
  StandardsTable table;
  table.add("2024", row, "");
  return table;
}

// The whole traffic case with two cars, born 1970-05-20.
inline Filing twoCars() {
  Filing f;
  auto& in = f.c.input;
  auto& claim = f.c.claim;
  born(f.c, "1970", "5", "20");
  accident(f.c, "2023", "3", "15");
  in.伤残等级 = "五", in.夫妻或单亲 = "夫妻", in.孩子1年龄 = "10";
  in.人员1的护理天数 = "60", in.护理人员1的工资 = "150", in.住院天数 = "60";
  in.误工天数 = "200", in.最近三年日平均收入 = "300";
  in.交通费 = "2000", in.医疗费 = "120000", in.营养费 = "3000";
  claim.定残日 = "2023-09-01", claim.计算标准年度 = "2024", claim.精神损害抚慰金 = "30000";
  claim.护理依赖 = "部分", claim.后续护理年限 = "10", claim.后续护理日工资 = "150";
  claim.后续治疗费 = "20000", claim.财产损失 = "3000", claim.鉴定费 = "3500";
  claim.交强险 = "有责", claim.责任比例 = "70", claim.商业三者险限额 = "1000000";
  claim.车辆2交强险 = "有责", claim.车辆2责任比例 = "20", claim.车辆2商业三者险限额 = "200000";
  f.standards = with2024();
  return f;
}

// The same victim and vehicle 1 alone, with other victims' losses.
inline Filing otherVictims() {
  Filing f = twoCars();
  auto& claim = f.c.claim;
  claim.车辆2交强险 = claim.车辆2责任比例 = claim.车辆2商业三者险限额 = "";
  claim.责任比例 = "100";
  claim.其他受害人死亡伤残 = "295120", claim.其他受害人医疗费用 = "151236";
  claim.其他受害人财产损失 = "1000";
  return f;
}

// Only a medical loss, against a liable and a not-liable car.
inline Filing notLiable() {
  Filing f;
  born(f.c, "1990", "1", "1");
  accident(f.c, "2021", "6", "1");
  f.c.input.医疗费 = "10000";
  auto& claim = f.c.claim;
  claim.计算标准年度 = "2024", claim.交强险 = "有责", claim.责任比例 = "100";
  claim.车辆2交强险 = "无责", claim.车辆2责任比例 = "0";
  f.standards = with2024();
  return f;
}

// notLiable with vehicle 3 in vehicle 2's place: vehicle 2 takes no part.
inline Filing firstAndThirdCars() {
  Filing f = notLiable();
  f.c.claim.车辆2交强险 = f.c.claim.车辆2责任比例 = "";
  f.c.claim.车辆3交强险 = "无责", f.c.claim.车辆3责任比例 = "0";
  return f;
}

// Vehicle 2 without a compulsory policy (entered as 有责), its owner named:
// 50000 of medical costs, 18000 from each side's limits, 60% and 40% of the rest.
inline Filing uninsured() {
  Filing f = notLiable();
  f.c.input.医疗费 = "50000";
  f.c.claim.责任比例 = "60", f.c.claim.车辆2交强险 = "有责", f.c.claim.车辆2责任比例 = "40";
  auto& c = f.complaint;
  c.车辆2驾驶人 = "李某", c.车辆2所有人 = "乙运输有限公司", c.车辆2交强险保险公司 = "未投保";
  return f;
}

inline Filing death() {
  Filing f;
  auto& in = f.c.input;
  born(f.c, "1960", "3", "15");
  accident(f.c, "2013", "6", "1");
  in.夫妻或单亲 = "夫妻", in.孩子1年龄 = "16", in.老人1年龄 = "80", in.兄弟姐妹人数 = "1";
  in.住院天数 = "5", in.误工天数 = "10", in.最近三年日平均收入 = "300";
  in.交通费 = "3000", in.医疗费 = "52000";
  auto& claim = f.c.claim;
  claim.计算标准年度 = "2014", claim.案件类型 = "死亡", claim.精神损害抚慰金 = "50000";
  claim.交强险 = "有责", claim.责任比例 = "100", claim.商业三者险限额 = "1000000";
  Standards row{40321, 26275, 50, 50};
  row.averageWage = 69521;
  f.standards.add("2014", row, "");
  return f;
}

// The parties of the two-car case as the lawyer names them.
inline void nameParties(ComplaintInput& c) {
  c.车辆1号牌 = "京A12345", c.车辆1驾驶人 = "张某";
  c.车辆1交强险保险公司 = "甲财产保险股份有限公司北京分公司";
  c.车辆2号牌 = "京B67890", c.车辆2驾驶人 = "李某", c.车辆2所有人 = "乙运输有限公司";
  c.车辆2所有人类别 = "法人、非法人组织";
  c.车辆2交强险保险公司 = "丙财产保险股份有限公司北京分公司";
  c.车辆2商业三者险保险公司 = "丁财产保险股份有限公司北京分公司";
}

inline std::string cellText(const document::Cell& cell) {
  std::string text;
  for (const auto& paragraph : cell.paragraphs) {
    if (!text.empty()) text += '\n';
    for (const auto& span : paragraph.spans) text += span.text;
  }
  return text;
}

// The form's table: the first block that is one.
inline const document::Table& formTable(const document::Document& form) {
  for (const auto& block : form.blocks) {
    if (const auto* table = std::get_if<document::Table>(&block)) return *table;
  }
  static const document::Table none;
  return none;
}

// The content of the row labelled so, its lines joined by '\n'; the n-th of
// several such rows.
inline std::string rowText(const document::Document& form, const std::string& label,
                           std::size_t n = 0) {
  for (const auto& row : formTable(form).rows) {
    if (row.cells.size() == 2 && cellText(row.cells[0]) == label && n-- == 0) {
      return cellText(row.cells[1]);
    }
  }
  return "(no row " + label + ")";
}

}  // namespace quorvane::complaint::testing
