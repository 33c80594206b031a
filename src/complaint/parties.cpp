#include <algorithm>
#include <array>

#include "complaint_parts.h"

namespace quorvane::complaint::detail {
namespace {

using claim::fenText;
using claim::VehiclePayers;

// Without the spaces, half- or full-width, a name was typed with.
std::string trimmed(std::string_view text) {
  constexpr std::string_view kWide = "　";
  for (bool cut = true; cut && !text.empty();) {
    cut = false;
    if (text.front() == ' ' || text.front() == '\t') text.remove_prefix(1), cut = true;
    if (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
      text.remove_suffix(1), cut = true;
    if (text.starts_with(kWide)) text.remove_prefix(kWide.size()), cut = true;
    if (text.ends_with(kWide)) text.remove_suffix(kWide.size()), cut = true;
  }
  return std::string(text);
}

using Member = std::string ComplaintInput::*;
constexpr std::array<std::array<Member, 6>, claim::kVehicleCount> kPartyFields{{
    {&ComplaintInput::车辆1号牌, &ComplaintInput::车辆1驾驶人, &ComplaintInput::车辆1所有人,
     &ComplaintInput::车辆1所有人类别, &ComplaintInput::车辆1交强险保险公司,
     &ComplaintInput::车辆1商业三者险保险公司},
    {&ComplaintInput::车辆2号牌, &ComplaintInput::车辆2驾驶人, &ComplaintInput::车辆2所有人,
     &ComplaintInput::车辆2所有人类别, &ComplaintInput::车辆2交强险保险公司,
     &ComplaintInput::车辆2商业三者险保险公司},
    {&ComplaintInput::车辆3号牌, &ComplaintInput::车辆3驾驶人, &ComplaintInput::车辆3所有人,
     &ComplaintInput::车辆3所有人类别, &ComplaintInput::车辆3交强险保险公司,
     &ComplaintInput::车辆3商业三者险保险公司},
}};

// A defendant in a request: the name, or a blank with the role for the
// lawyer to fill in.
struct Party {
  std::string name, role;

  [[nodiscard]] std::string text() const { return name.empty() ? "＿＿（" + role + "）" : name; }
};

// Who answers for each of a vehicle's parts.
struct Answering {
  Party driver, owner, compulsory, commercial;
  bool merged = false;  // the commercial insurer is the compulsory one
};

Answering answering(const claim::ClaimInput& claim, const Parties& p, std::size_t v) {
  const std::string vehicle = "车辆" + std::to_string(v + 1);
  Answering a;
  a.driver = {p.驾驶人, vehicle + "驾驶人"};
  a.owner = p.所有人.empty() ? a.driver : Party{p.所有人, vehicle + "所有人"};
  // Without a compulsory policy the owner answers within its limits.
  a.compulsory = p.uninsured() ? a.owner : Party{p.交强险保险公司, vehicle + "交强险保险公司"};
  const bool withInsurer = insured(claim, v) && !p.uninsured();
  const bool named = !p.商业三者险保险公司.empty() && p.商业三者险保险公司 != kUninsured;
  if (named) {
    a.commercial = {p.商业三者险保险公司, vehicle + "商业三者险保险公司"};
    a.merged = withInsurer && p.商业三者险保险公司 == p.交强险保险公司;
  } else if (p.商业三者险保险公司.empty() && withInsurer) {
    a.commercial = a.compulsory;
    a.merged = true;
  } else {
    a.commercial = {"", vehicle + "商业三者险保险公司"};
  }
  return a;
}

std::string yuan(Fen amount) {
  return fenText(amount) + "元";
}

constexpr std::string_view kCompulsory = "在机动车交通事故责任强制保险责任限额内赔偿原告";
constexpr std::string_view kCommercial = "在商业第三者责任保险责任限额内赔偿原告";

void addVehicle(const Answering& a, const VehiclePayers& paid, std::vector<std::string>& out) {
  const Fen compulsory = paid.交强险赔付, commercial = paid.商业三者险;
  if (a.merged && compulsory != 0 && commercial != 0) {
    out.push_back("判令被告" + a.compulsory.text() + std::string(kCompulsory) + yuan(compulsory) +
                  "，" + std::string(kCommercial) + yuan(commercial));
  } else {
    if (compulsory != 0) {
      out.push_back("判令被告" + a.compulsory.text() + std::string(kCompulsory) + yuan(compulsory));
    }
    if (commercial != 0) {
      out.push_back("判令被告" + a.commercial.text() + std::string(kCommercial) + yuan(commercial));
    }
  }
  if (paid.侵权人 != 0) {
    // A different owner named beside the driver is the plaintiff's claim.
    const bool both = !a.owner.name.empty() && a.owner.name != a.driver.name;
    out.push_back("判令被告" + a.driver.text() + (both ? "、" + a.owner.name : std::string()) +
                  "赔偿原告" + yuan(paid.侵权人));
  }
}

}  // namespace

bool Parties::any() const {
  return !(号牌.empty() && 驾驶人.empty() && 所有人.empty() && 所有人类别.empty() &&
           交强险保险公司.empty() && 商业三者险保险公司.empty());
}

std::array<Parties, claim::kVehicleCount> vehicleParties(const ComplaintInput& complaint) {
  std::array<Parties, claim::kVehicleCount> all;
  for (std::size_t v = 0; v < all.size(); ++v) {
    const auto& f = kPartyFields[v];
    all[v] = {trimmed(complaint.*f[0]), trimmed(complaint.*f[1]), trimmed(complaint.*f[2]),
              trimmed(complaint.*f[3]), trimmed(complaint.*f[4]), trimmed(complaint.*f[5])};
  }
  return all;
}

bool insured(const claim::ClaimInput& claim, std::size_t v) {
  const std::array<const std::string*, claim::kVehicleCount> texts{
      &claim.交强险, &claim.车辆2交强险, &claim.车辆3交强险};
  return *texts[v] == "有责" || *texts[v] == "无责";
}

std::vector<Defendant> defendants(const ComplaintInput& complaint, const claim::Payers& payers) {
  std::vector<Defendant> found;
  const auto add = [&](const std::string& name, bool organisation) {
    if (name.empty() || name == kUninsured) return;
    const bool known =
        std::any_of(found.begin(), found.end(), [&](const Defendant& d) { return d.name == name; });
    if (!known) found.push_back({name, organisation});
  };
  const auto parties = vehicleParties(complaint);
  for (std::size_t v = 0; v < parties.size(); ++v) {
    if (!payers.takesPart[v]) continue;
    const Parties& p = parties[v];
    add(p.驾驶人, false);
    add(p.所有人, p.所有人类别 == "法人、非法人组织");
    add(p.交强险保险公司, true);
    add(p.商业三者险保险公司, true);
  }
  return found;
}

std::vector<std::string> requests(const claim::ClaimInput& claim, const ComplaintInput& complaint,
                                  const claim::Payers& payers) {
  std::vector<std::string> texts;
  const auto parties = vehicleParties(complaint);
  for (std::size_t v = 0; v < parties.size(); ++v) {
    if (payers.takesPart[v]) addVehicle(answering(claim, parties[v], v), payers.vehicles[v], texts);
  }
  texts.emplace_back("本案诉讼费用由被告负担");
  for (std::size_t k = 0; k < texts.size(); ++k) {
    texts[k] = std::to_string(k + 1) + "." + texts[k] + (k + 1 == texts.size() ? "。" : "；");
  }
  return texts;
}

}  // namespace quorvane::complaint::detail
