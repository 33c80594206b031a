#include <algorithm>
#include <array>
#include <charconv>

#include "claim_input.h"
#include "complaint_parts.h"

namespace quorvane::complaint {
namespace detail {
namespace {

using namespace std::string_view_literals;

struct Choice {
  std::string_view field;
  std::vector<std::string_view> texts;
};

// The pick lists, in the order of complaintFields; 所有人类别 stands for all
// three vehicles'.
const std::array<Choice, 7>& pickLists() {
  static const std::array<Choice, 7> lists{{
      {"原告性别", {"男", "女"}},
      {"代理权限", {"一般授权", "特别授权"}},
      {"所有人类别", {"自然人", "法人、非法人组织"}},
      {"诉前保全", {"是", "否"}},
      {"申请鉴定", {"是", "否"}},
      {"了解调解", {"了解", "不了解"}},
      {"先行调解", {"是", "否", "暂不确定"}},
  }};
  return lists;
}

// "原告性别“x”应为“男”或“女”"; three texts as "“是”、“否”或“暂不确定”".
std::string choiceFault(std::string_view field, std::string_view text) {
  std::string_view list = field;
  if (field.starts_with("车辆")) list = field.substr("车辆1"sv.size());
  const auto& texts = std::find_if(pickLists().begin(), pickLists().end(), [&](const Choice& c) {
                        return c.field == list;
                      })->texts;
  if (text.empty() || std::find(texts.begin(), texts.end(), text) != texts.end()) return {};
  std::string message = std::string(field) + "“" + std::string(text) + "”应为";
  for (std::size_t k = 0; k < texts.size(); ++k) {
    if (k > 0) message += k + 1 == texts.size() ? "或" : "、";
    message += "“" + std::string(texts[k]) + "”";
  }
  return message;
}

bool allDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view digits) {
  int value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

// GB 11643-1999: ISO 7064 MOD 11-2 over the first 17 digits.
char checkDigit(std::string_view digits) {
  constexpr std::array<int, 17> kWeights{7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
  int sum = 0;
  for (std::size_t k = 0; k < kWeights.size(); ++k) sum += (digits[k] - '0') * kWeights[k];
  return "10X98765432"[sum % 11];
}

std::string idFault(const CaseInput& input, const claim::ClaimInput& claim,
                    const ComplaintInput& complaint) {
  if (complaint.原告证件号码.empty() || !residentCard(complaint)) return {};
  const auto read = readIdNumber(complaint.原告证件号码);
  if (const auto* fault = std::get_if<std::string>(&read)) return *fault;
  const auto& id = std::get<IdNumber>(read);
  // In a death case the number is the relative's own, not the deceased's.
  if (claim.案件类型 != "死亡" &&
      id.birth != typedDate(input.受害人生日年, input.受害人生日月, input.受害人生日日)) {
    return "原告证件号码中的出生日期与受害人生日不符";
  }
  if (!complaint.原告性别.empty() && (complaint.原告性别 == "男") != id.male) {
    return "原告性别与证件号码不符";
  }
  return {};
}

std::string vehicleFault(const claim::ClaimInput& claim, const claim::Payers& payers,
                         const Parties& parties, std::size_t v) {
  const std::string vehicle = "车辆" + std::to_string(v + 1);
  if (!payers.takesPart[v] && parties.any()) {
    return vehicle + "没有参与计算：请删去" + vehicle + "的当事人";
  }
  if (auto fault = choiceFault(vehicle + "所有人类别", parties.所有人类别); !fault.empty()) {
    return fault;
  }
  if (!insured(claim, v) && !parties.交强险保险公司.empty()) {
    return vehicle + "交强险为“无”：不填交强险保险公司";
  }
  return {};
}

}  // namespace

std::variant<IdNumber, std::string> readIdNumber(std::string_view typed) {
  const auto quoted = "原告证件号码“" + std::string(typed) + "”";
  std::string text(typed);
  if (!text.empty() && text.back() == 'x') text.back() = 'X';
  const char last = text.empty() ? ' ' : text.back();
  if (text.size() != 18 || !allDigits(std::string_view(text).substr(0, 17)) ||
      !(last == 'X' || (last >= '0' && last <= '9'))) {
    return quoted + "应为18位：17位数字和1位校验码";
  }
  if (checkDigit(text) != last) return quoted + "校验位不符";
  const std::string_view digits = text;
  const Ymd birth{number(digits.substr(6, 4)), number(digits.substr(10, 2)),
                  number(digits.substr(12, 2))};
  if (!claim::detail::realDate(birth.year, birth.month, birth.day)) {
    return quoted + "中的出生日期不存在";
  }
  // The 17th character is odd for a man.
  const bool male = (text[16] - '0') % 2 == 1;
  return IdNumber{std::move(text), birth, male};
}

bool residentCard(const ComplaintInput& complaint) {
  return complaint.原告证件类型.empty() || complaint.原告证件类型 == "居民身份证";
}

std::string checkInputs(const CaseInput& input, const claim::ClaimInput& claim,
                        const ComplaintInput& complaint, const claim::Payers& payers) {
  if (auto fault = choiceFault("原告性别", complaint.原告性别); !fault.empty()) return fault;
  if (auto fault = idFault(input, claim, complaint); !fault.empty()) return fault;
  if (auto fault = choiceFault("代理权限", complaint.代理权限); !fault.empty()) return fault;
  const auto parties = vehicleParties(complaint);
  for (std::size_t v = 0; v < parties.size(); ++v) {
    if (auto fault = vehicleFault(claim, payers, parties[v], v); !fault.empty()) return fault;
  }
  for (const auto& [field, text] :
       {std::pair{"诉前保全"sv, &complaint.诉前保全}, std::pair{"申请鉴定"sv, &complaint.申请鉴定},
        std::pair{"了解调解"sv, &complaint.了解调解},
        std::pair{"先行调解"sv, &complaint.先行调解}}) {
    if (auto fault = choiceFault(field, *text); !fault.empty()) return fault;
  }
  return {};
}

}  // namespace detail

std::vector<std::string_view> choices(std::string_view field) {
  if (field.starts_with("车辆") && field.ends_with("所有人类别")) field = "所有人类别";
  for (const auto& list : detail::pickLists()) {
    if (list.field == field) return list.texts;
  }
  return {};
}

}  // namespace quorvane::complaint
