#pragma once

// The court fee (案件受理费) a plaintiff pays in advance for a claim of
// property: 诉讼费用交纳办法 (国务院令第481号) art. 13(一), its bands added
// up, on the amount the requests ask for; halved once under the summary
// procedure (简易程序, art. 16). Exact arithmetic, then one rounding to the
// fen, halves up, after the halving.

#include <string>

#include "claim.h"

namespace quorvane::claim {

[[nodiscard]] Fen courtFee(Fen claimed, bool summary);

// What the requests ask for: the compulsory insurers' part and the liable
// parties' share (交强险合计 + 责任方承担).
[[nodiscard]] Fen claimedAmount(const Payers& payers);

// The line under the sheet's table: "案件受理费 19036.04 元（按诉讼请求
// 1581782.52 元，诉讼费用交纳办法第十三条）", with "，简易程序减半" before
// the closing bracket when halved.
[[nodiscard]] std::string feeLine(const ClaimSheet& sheet, bool summary);

}  // namespace quorvane::claim
