#pragma once

// The claim sheet as a lawyer files it: a numbered table of the items
// claimed (序号, 项目, 计算方式, 金额（元）, 依据), their 合计, then who pays.
// The dialog, the page, the printout, the copy and the exported document all
// show these rows, so a complaint (起诉状) gets the same figures wherever the
// sheet is taken from.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "claim.h"

namespace quorvane::claim {

inline constexpr std::array<std::string_view, 5> kTableColumns{"序号", "项目", "计算方式",
                                                               "金额（元）", "依据"};

struct TableRow {
  enum class Kind { item, total, payer };
  Kind kind = Kind::item;
  std::string number;  // 1, 2, 3 … for the items claimed; empty otherwise
  std::string name;    // the plain name: 残疾赔偿金, 合计, 交强险（医疗费用） …
  std::string method;  // the working in one line, "按票据" or "主张金额"
  Fen amount = 0;
  std::string basis;  // the article the row rests on; empty where the law leaves it open
};

// The rows of a sheet computed with its working: only the items whose
// amount is not 0.00, numbered; 合计; then the payers, leaving out those at
// 0.00 but 剩余损失 and 责任方承担. A refusal has no rows.
[[nodiscard]] std::vector<TableRow> filedTable(const ClaimOutcome& outcome);

// A row's five cells as text, the amount with two decimals.
[[nodiscard]] std::array<std::string, 5> tableCells(const TableRow& row);

}  // namespace quorvane::claim
