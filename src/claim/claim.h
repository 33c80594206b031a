#pragma once

// The claim sheet (赔偿清单): what a court awards for a case and who pays it.
//
// It is a second computation beside the 22 amounts of the engine (calc.h),
// which keep their own rules untouched. The sheet goes by the court's basis:
// the standards of the year first-instance argument ends (计算标准年度), age
// in whole years from birthday to birthday (周岁), exact percentages, the
// yearly cap on dependants' support, and every item rounded once to the fen,
// halves up. Then the payers: the compulsory motor insurers (交强险) of up to
// three vehicles within their three sub-limits, shared with the other victims
// of the accident in proportion to their losses; the liability shares of the
// rest; each vehicle's commercial third-party insurer up to its limit; and
// each vehicle's liable party. Amounts shared among vehicles are split in
// whole fen by largest remainders, so the parts always add up.
//
// Every figure is an exact whole number of fen or an exact fraction of one;
// no floating point is used. The inputs are strict: a text that is not a plain
// number, a date that does not exist, or a value out of range refuses the
// sheet with one message naming the field and its text. computeClaim is a
// pure function: the case, the claim's own inputs and the standards in force
// in, a sheet or a refusal out.
//
// Two kinds of case share the sheet: an injury (残疾赔偿金 by grade) and a
// death (死亡赔偿金 and 丧葬费, support at 100%); the other kind's items are 0.
// Each item knows which of the compulsory insurer's limits covers it, so the
// payer arithmetic is the same for both.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "case.h"

namespace quorvane::claim {

// The claim's own inputs, as typed; empty means the default.
struct ClaimInput {
  std::string 计算标准年度;    // the standards row; empty: the accident year
  std::string 定残日;          // YYYY-MM-DD; empty: the accident date
  std::string 伤残附加指数;    // extra percentage points, 0 to 10
  std::string 精神损害抚慰金;  // yuan
  std::string 交强险;          // "有责", "无责" or "无" (empty)
  std::string 责任比例;        // percent, 0 to 100; empty: 100
  std::string 商业三者险限额;  // yuan; empty: no policy
  std::string 案件类型;        // "伤残" (empty) or "死亡"
  // Care after the assessment: all three or none.
  std::string 护理依赖;        // "完全", "大部分" or "部分"
  std::string 后续护理年限;    // years, 0 to 20
  std::string 后续护理日工资;  // yuan a day
  std::string 后续治疗费;      // yuan, as assessed
  std::string 财产损失;        // yuan
  std::string 鉴定费;          // yuan
  // Vehicles 2 and 3, as vehicle 1's 交强险, 责任比例 and 商业三者险限额; a
  // vehicle takes part when any of its three is set.
  std::string 车辆2交强险;
  std::string 车辆3交强险;
  std::string 车辆2责任比例;
  std::string 车辆3责任比例;
  std::string 车辆2商业三者险限额;
  std::string 车辆3商业三者险限额;
  // The other victims' losses under each of the compulsory insurers' heads.
  std::string 其他受害人死亡伤残;
  std::string 其他受害人医疗费用;
  std::string 其他受害人财产损失;
  std::string 简易程序;  // "是" halves the court fee; empty: ordinary procedure

  friend bool operator==(const ClaimInput&, const ClaimInput&) = default;
};

inline constexpr std::array<NamedField<ClaimInput>, 24> claimFields{{
    {"计算标准年度", &ClaimInput::计算标准年度},
    {"定残日", &ClaimInput::定残日},
    {"伤残附加指数", &ClaimInput::伤残附加指数},
    {"精神损害抚慰金", &ClaimInput::精神损害抚慰金},
    {"交强险", &ClaimInput::交强险},
    {"责任比例", &ClaimInput::责任比例},
    {"商业三者险限额", &ClaimInput::商业三者险限额},
    {"案件类型", &ClaimInput::案件类型},
    {"护理依赖", &ClaimInput::护理依赖},
    {"后续护理年限", &ClaimInput::后续护理年限},
    {"后续护理日工资", &ClaimInput::后续护理日工资},
    {"后续治疗费", &ClaimInput::后续治疗费},
    {"财产损失", &ClaimInput::财产损失},
    {"鉴定费", &ClaimInput::鉴定费},
    {"车辆2交强险", &ClaimInput::车辆2交强险},
    {"车辆3交强险", &ClaimInput::车辆3交强险},
    {"车辆2责任比例", &ClaimInput::车辆2责任比例},
    {"车辆3责任比例", &ClaimInput::车辆3责任比例},
    {"车辆2商业三者险限额", &ClaimInput::车辆2商业三者险限额},
    {"车辆3商业三者险限额", &ClaimInput::车辆3商业三者险限额},
    {"其他受害人死亡伤残", &ClaimInput::其他受害人死亡伤残},
    {"其他受害人医疗费用", &ClaimInput::其他受害人医疗费用},
    {"其他受害人财产损失", &ClaimInput::其他受害人财产损失},
    {"简易程序", &ClaimInput::简易程序},
}};

// The fields of the sheet's first version, before later care, property and
// several vehicles: the window and the page lay them out apart.
inline constexpr std::size_t kFirstClaimFields = 8;

[[nodiscard]] bool anySet(const ClaimInput& input);

// Money in fen (0.01 yuan).
using Fen = std::int64_t;

// Which of the compulsory insurer's limits (heads) covers an item; the
// appraisal fees fall under none.
enum class Cover { medical, deathAndDisability, property, none };
inline constexpr std::size_t kHeadCount = 3;  // the covers before none

struct ItemKind {
  std::string_view name;
  Cover cover;
};

// The items of the sheet, in the order it lists them: indexes of kItems.
inline constexpr std::size_t 残疾赔偿金 = 0;
inline constexpr std::size_t 死亡赔偿金 = 1;
inline constexpr std::size_t 丧葬费 = 2;
inline constexpr std::size_t 护理费 = 3;
inline constexpr std::size_t 住院伙食补助费 = 4;
inline constexpr std::size_t 误工费 = 5;
inline constexpr std::size_t 住宿费 = 6;
inline constexpr std::size_t 被扶养人生活费 = 7;
inline constexpr std::size_t 交通费 = 8;
inline constexpr std::size_t 医疗费 = 9;
inline constexpr std::size_t 营养费 = 10;
inline constexpr std::size_t 残疾辅助器具费 = 11;
inline constexpr std::size_t 精神损害抚慰金 = 12;
// Added after the first version's items, so their columns come after its payers.
inline constexpr std::size_t 后续护理费 = 13;
inline constexpr std::size_t 后续治疗费 = 14;
inline constexpr std::size_t 财产损失 = 15;
inline constexpr std::size_t 鉴定费 = 16;
inline constexpr std::size_t kFirstItems = 13;
inline constexpr std::size_t kItemCount = 17;

inline constexpr std::array<ItemKind, kItemCount> kItems{{
    {"残疾赔偿金", Cover::deathAndDisability},
    {"死亡赔偿金", Cover::deathAndDisability},
    {"丧葬费", Cover::deathAndDisability},
    {"护理费", Cover::deathAndDisability},
    {"住院伙食补助费", Cover::medical},
    {"误工费", Cover::deathAndDisability},
    {"住宿费", Cover::deathAndDisability},
    {"被扶养人生活费", Cover::deathAndDisability},
    {"交通费", Cover::deathAndDisability},
    {"医疗费", Cover::medical},
    {"营养费", Cover::medical},
    {"残疾辅助器具费", Cover::deathAndDisability},
    {"精神损害抚慰金", Cover::deathAndDisability},
    {"后续护理费", Cover::deathAndDisability},
    {"后续治疗费", Cover::medical},
    {"财产损失", Cover::property},
    {"鉴定费", Cover::none},
}};

inline constexpr std::size_t kVehicleCount = 3;

// What one vehicle's side pays.
struct VehiclePayers {
  std::int64_t share = 0;  // its 责任比例 in hundredths of a point, as the sheet used it
  Fen commercialLimit = 0;
  Fen 交强险赔付 = 0;  // under the three heads
  Fen 责任方承担 = 0;  // its part of the liability share
  Fen 商业三者险 = 0;
  Fen 侵权人 = 0;
};

// One head of the compulsory insurers: this victim's items under it, the
// other victims', the taking part vehicles' limits added up, what this victim
// is paid, and each vehicle's part of that.
struct HeadShare {
  Fen own = 0, others = 0, limit = 0, paid = 0;
  std::array<Fen, kVehicleCount> parts{};
};

struct Payers {
  Fen 交强险医疗费用 = 0;
  Fen 交强险死亡伤残 = 0;
  Fen 交强险合计 = 0;
  Fen 剩余损失 = 0;
  Fen 责任方承担 = 0;
  Fen 商业三者险 = 0;
  Fen 侵权人 = 0;
  Fen 受害人自担 = 0;
  Fen 交强险财产损失 = 0;
  std::array<VehiclePayers, kVehicleCount> vehicles{};
  std::array<bool, kVehicleCount> takesPart{true, false, false};
  std::array<HeadShare, kHeadCount> heads{};  // in Cover's order
};

struct ClaimSheet {
  std::array<Fen, kItemCount> items{};
  Fen 合计 = 0;
  Payers payers;
  Fen 案件受理费 = 0;  // the court fee on what the requests ask for (court_fee.h)
  // Each item's working in words (kItemCount of them), in Chinese; one line
  // each, joined by '\n'. Filled only when asked for: empty otherwise, so
  // that a sheet without it costs no strings.
  std::vector<std::string> itemWorking;
};

struct ClaimRefusal {
  std::string message;
};

using ClaimOutcome = std::variant<ClaimSheet, ClaimRefusal>;

// The sheet for a case, or the first fault in its inputs.
[[nodiscard]] ClaimOutcome computeClaim(const CaseInput& input, const ClaimInput& claim,
                                        const StandardsTable& standards = {},
                                        bool withWorking = false);

// The column that holds a refusal.
inline constexpr std::string_view kNoticeColumn = "清单提示";

// The sheet's columns, as the batch tool writes them after the 22 results:
// 清单提示, one per first-version item and 清单合计, the payers, then the later
// items, 交强险财产损失, four per vehicle and 案件受理费.
[[nodiscard]] const std::vector<std::string>& columnNames();

// The texts of those columns: a refusal's message in 清单提示 and nothing
// else; a sheet's amounts with exactly two decimals ("85547.80").
[[nodiscard]] std::vector<std::string> columnTexts(const ClaimOutcome& outcome);

// "85547.80".
[[nodiscard]] std::string fenText(Fen amount);
void appendFen(std::string& out, Fen amount);
// The same written at out, at most kLongestFen characters; returns their end.
inline constexpr std::size_t kLongestFen = 24;
char* writeFen(char* out, Fen amount);

// A sheet's amounts in the order of its columns after 清单提示.
inline constexpr std::size_t kAmountColumns = kItemCount + 9 + 1 + 4 * kVehicleCount + 1;
[[nodiscard]] std::array<Fen, kAmountColumns> columnAmounts(const ClaimSheet& sheet);

}  // namespace quorvane::claim
