#pragma once

// The complaint (民事起诉状（机动车交通事故责任纠纷）), the element form every
// court has asked for since 2025-07-14 (法〔2025〕82号), filled from a case
// and its claim sheet (claim.h): the parties, the numbered requests (诉讼请求)
// built from the sheet's payer parts, the form's 13 rows of amounts, the
// vehicles' insurance, the laws relied on, the court fee, and the filed
// table on its last page.
//
// makeComplaint is a pure function: the case, the claim's inputs, the
// complaint's own inputs and the standards in; the requests, the fee and the
// form (document.h) out, or the first fault its checks find. A fault changes
// no figure: it only keeps the form from being exported or printed. The
// batch tool reads these inputs (they are case-file columns) but never checks
// them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "case.h"
#include "claim.h"
#include "document.h"

namespace quorvane::complaint {

// The complaint's inputs, as typed; empty means the default or a blank.
struct ComplaintInput {
  std::string 原告姓名, 原告性别, 原告民族, 原告工作单位, 原告职务, 原告联系电话, 原告住所地,
      原告经常居住地, 原告证件类型, 原告证件号码;
  std::string 受害人姓名, 原告与受害人关系;  // death cases only
  std::string 代理人姓名, 代理人单位, 代理人职务, 代理人联系电话, 代理权限;
  std::string 车辆1号牌, 车辆1驾驶人, 车辆1所有人, 车辆1所有人类别, 车辆1交强险保险公司,
      车辆1商业三者险保险公司;
  std::string 车辆2号牌, 车辆2驾驶人, 车辆2所有人, 车辆2所有人类别, 车辆2交强险保险公司,
      车辆2商业三者险保险公司;
  std::string 车辆3号牌, 车辆3驾驶人, 车辆3所有人, 车辆3所有人类别, 车辆3交强险保险公司,
      车辆3商业三者险保险公司;
  std::string 事故经过, 责任认定, 证据清单;  // several lines
  std::string 诉前保全, 申请鉴定, 鉴定事项, 了解调解, 先行调解;

  friend bool operator==(const ComplaintInput&, const ComplaintInput&) = default;
};

// In the order the case file writes them, after the claim's inputs.
inline constexpr std::array<NamedField<ComplaintInput>, 43> complaintFields{{
    {"原告姓名", &ComplaintInput::原告姓名},
    {"原告性别", &ComplaintInput::原告性别},
    {"原告民族", &ComplaintInput::原告民族},
    {"原告工作单位", &ComplaintInput::原告工作单位},
    {"原告职务", &ComplaintInput::原告职务},
    {"原告联系电话", &ComplaintInput::原告联系电话},
    {"原告住所地", &ComplaintInput::原告住所地},
    {"原告经常居住地", &ComplaintInput::原告经常居住地},
    {"原告证件类型", &ComplaintInput::原告证件类型},
    {"原告证件号码", &ComplaintInput::原告证件号码},
    {"受害人姓名", &ComplaintInput::受害人姓名},
    {"原告与受害人关系", &ComplaintInput::原告与受害人关系},
    {"代理人姓名", &ComplaintInput::代理人姓名},
    {"代理人单位", &ComplaintInput::代理人单位},
    {"代理人职务", &ComplaintInput::代理人职务},
    {"代理人联系电话", &ComplaintInput::代理人联系电话},
    {"代理权限", &ComplaintInput::代理权限},
    {"车辆1号牌", &ComplaintInput::车辆1号牌},
    {"车辆1驾驶人", &ComplaintInput::车辆1驾驶人},
    {"车辆1所有人", &ComplaintInput::车辆1所有人},
    {"车辆1所有人类别", &ComplaintInput::车辆1所有人类别},
    {"车辆1交强险保险公司", &ComplaintInput::车辆1交强险保险公司},
    {"车辆1商业三者险保险公司", &ComplaintInput::车辆1商业三者险保险公司},
    {"车辆2号牌", &ComplaintInput::车辆2号牌},
    {"车辆2驾驶人", &ComplaintInput::车辆2驾驶人},
    {"车辆2所有人", &ComplaintInput::车辆2所有人},
    {"车辆2所有人类别", &ComplaintInput::车辆2所有人类别},
    {"车辆2交强险保险公司", &ComplaintInput::车辆2交强险保险公司},
    {"车辆2商业三者险保险公司", &ComplaintInput::车辆2商业三者险保险公司},
    {"车辆3号牌", &ComplaintInput::车辆3号牌},
    {"车辆3驾驶人", &ComplaintInput::车辆3驾驶人},
    {"车辆3所有人", &ComplaintInput::车辆3所有人},
    {"车辆3所有人类别", &ComplaintInput::车辆3所有人类别},
    {"车辆3交强险保险公司", &ComplaintInput::车辆3交强险保险公司},
    {"车辆3商业三者险保险公司", &ComplaintInput::车辆3商业三者险保险公司},
    {"事故经过", &ComplaintInput::事故经过},
    {"责任认定", &ComplaintInput::责任认定},
    {"证据清单", &ComplaintInput::证据清单},
    {"诉前保全", &ComplaintInput::诉前保全},
    {"申请鉴定", &ComplaintInput::申请鉴定},
    {"鉴定事项", &ComplaintInput::鉴定事项},
    {"了解调解", &ComplaintInput::了解调解},
    {"先行调解", &ComplaintInput::先行调解},
}};

[[nodiscard]] bool anySet(const ComplaintInput& input);

// The texts a pick-list input may hold besides empty, in the order a list
// offers them (原告性别: 男, 女); none for a free-text input. The checks
// refuse any other text.
[[nodiscard]] std::vector<std::string_view> choices(std::string_view field);

// One defendant: a distinct name among the vehicles' 驾驶人, 所有人,
// 交强险保险公司 and 商业三者险保险公司, in vehicle order and then in that
// order of roles. Insurers are organisations, drivers natural persons, an
// owner what 所有人类别 says; the first role a name is met in decides.
struct Defendant {
  std::string name;
  bool organisation = false;  // 法人、非法人组织; else 自然人

  friend bool operator==(const Defendant&, const Defendant&) = default;
};

struct Complaint {
  // The first fault the checks found (shown in red), or the refused sheet's
  // message; empty when the complaint may be exported and printed.
  std::string fault;
  // "1.判令被告…；" … "N.本案诉讼费用由被告负担。"; empty when the sheet is refused.
  // A fault of the complaint's own inputs leaves these and the figures below
  // as they are: only the form is withheld.
  std::vector<std::string> requests;
  std::vector<Defendant> defendants;  // in the order of their blocks on the form
  claim::Fen claimed = 0;             // what the requests ask for
  claim::Fen fee = 0;                 // 案件受理费
  std::string feeLine;                // as under the sheet's table
  document::Document form;            // the whole form with its 附页; empty when fault is set
};

[[nodiscard]] Complaint makeComplaint(const CaseInput& input, const claim::ClaimInput& claim,
                                      const ComplaintInput& complaint,
                                      const StandardsTable& standards = {});

}  // namespace quorvane::complaint
