#include <algorithm>
#include <array>
#include <charconv>

#include "complaint_parts.h"

namespace quorvane::complaint::detail {
namespace {

using namespace std::string_view_literals;

int plainNumber(const std::string& text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The number of "第十六条": the digits 一 to 九 and 十, as the interpretation's
// articles are numbered (under a hundred).
int articleNumber(std::string_view article) {
  constexpr std::array<std::string_view, 10> kDigits{"〇", "一", "二", "三", "四",
                                                     "五", "六", "七", "八", "九"};
  constexpr std::string_view kTen = "十";
  int value = 0, digit = 0;
  while (!article.empty()) {
    if (article.starts_with(kTen)) {
      value += (digit == 0 ? 1 : digit) * 10, digit = 0;
      article.remove_prefix(kTen.size());
      continue;
    }
    const auto found = std::find_if(kDigits.begin(), kDigits.end(),
                                    [&](std::string_view d) { return article.starts_with(d); });
    if (found == kDigits.end()) {
      article.remove_prefix(1);  // 第 and 条, byte by byte
    } else {
      digit = static_cast<int>(found - kDigits.begin());
      article.remove_prefix(found->size());
    }
  }
  return value + digit;
}

struct Law {
  std::string_view name;
  std::vector<std::string> articles;
};

// The interpretation's articles that the filed table's items rest on,
// rising, each once.
std::vector<std::string> injuryArticles(const std::vector<claim::TableRow>& rows) {
  constexpr std::string_view kCited = "人身损害赔偿解释";
  std::vector<std::string> articles;
  for (const auto& row : rows) {
    if (row.kind != claim::TableRow::Kind::item || !row.basis.starts_with(kCited)) continue;
    std::string_view rest = std::string_view(row.basis).substr(kCited.size());
    while (!rest.empty()) {
      const auto end = std::min(rest.find("、"sv), rest.size());
      std::string article(rest.substr(0, end));
      if (std::find(articles.begin(), articles.end(), article) == articles.end()) {
        articles.push_back(std::move(article));
      }
      rest.remove_prefix(std::min(end + "、"sv.size(), rest.size()));
    }
  }
  std::sort(articles.begin(), articles.end(), [](const std::string& a, const std::string& b) {
    return articleNumber(a) < articleNumber(b);
  });
  return articles;
}

}  // namespace

std::string dateText(const Ymd& date) {
  return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" +
         std::to_string(date.day) + "日";
}

Ymd typedDate(const std::string& year, const std::string& month, const std::string& day) {
  return {plainNumber(year), plainNumber(month), plainNumber(day)};
}

std::string freeText(std::string_view typed) {
  std::string text;
  text.reserve(typed.size());
  for (std::size_t k = 0; k < typed.size(); ++k) {
    if (typed[k] != '\r') {
      text += typed[k];
    } else if (k + 1 == typed.size() || typed[k + 1] != '\n') {
      text += '\n';
    }
  }
  return text;
}

std::string yuanText(Fen amount) {
  return amount % 100 == 0 ? std::to_string(amount / 100) : claim::fenText(amount);
}

std::string accidentText(const CaseInput& input, const claim::ClaimInput& claim,
                         const ComplaintInput& complaint) {
  const auto orBlank = [](const std::string& text) {
    return text.empty() ? std::string(kBlank) : freeText(text);
  };
  std::string text =
      dateText(typedDate(input.事故发生日年, input.事故发生日月, input.事故发生日日)) + "，" +
      orBlank(complaint.事故经过);
  if (claim.案件类型 == "死亡") {
    text += "原告系受害人" + orBlank(complaint.受害人姓名) + "之" +
            orBlank(complaint.原告与受害人关系) + "。";
  }
  return text;
}

std::vector<std::string> insuranceSentences(const claim::ClaimInput& claim,
                                            const ComplaintInput& complaint,
                                            const claim::Payers& payers) {
  const auto orBlank = [](const std::string& name) {
    return name.empty() ? std::string(kBlank) : name;
  };
  std::vector<std::string> sentences;
  const auto parties = vehicleParties(complaint);
  for (std::size_t v = 0; v < parties.size(); ++v) {
    if (!payers.takesPart[v]) continue;
    const Parties& p = parties[v];
    std::string s = "车辆" + (p.号牌.empty() ? std::to_string(v + 1) : p.号牌) + "（所有人" +
                    orBlank(p.owner()) + "）";
    const bool withInsurer = insured(claim, v) && !p.uninsured();
    s += withInsurer ? "在" + orBlank(p.交强险保险公司) + "投保机动车交通事故责任强制保险"
                     : "未投保机动车交通事故责任强制保险";
    if (const Fen limit = payers.vehicles[v].commercialLimit; limit != 0) {
      const bool same =
          withInsurer && (p.商业三者险保险公司.empty() || p.商业三者险保险公司 == p.交强险保险公司);
      s += same ? "，并投保商业第三者责任保险"
                : "，在" + orBlank(p.商业三者险保险公司) + "投保商业第三者责任保险";
      s += "，责任限额" + yuanText(limit) + "元";
    }
    sentences.push_back(s + "。");
  }
  return sentences;
}

std::string basisText(const claim::ClaimInput& claim, const ComplaintInput& complaint,
                      const claim::ClaimSheet& sheet, const std::vector<claim::TableRow>& rows) {
  const claim::Payers& payers = sheet.payers;
  const bool death = claim.案件类型 == "死亡";
  const bool property = sheet.items[claim::财产损失] != 0;
  Law civil{"《中华人民共和国民法典》", {"第一千一百七十九条"}};
  if (death) civil.articles.emplace_back("第一千一百八十一条");
  if (sheet.items[claim::精神损害抚慰金] != 0) civil.articles.emplace_back("第一千一百八十三条");
  if (property) civil.articles.emplace_back("第一千一百八十四条");
  civil.articles.emplace_back("第一千二百零八条");
  civil.articles.emplace_back("第一千二百一十三条");

  bool anyInsured = false, anyLimit = false, anyUninsured = false;
  const auto parties = vehicleParties(complaint);
  for (std::size_t v = 0; v < claim::kVehicleCount; ++v) {
    if (!payers.takesPart[v]) continue;
    anyInsured = anyInsured || insured(claim, v);
    anyLimit = anyLimit || payers.vehicles[v].commercialLimit != 0;
    anyUninsured = anyUninsured || parties[v].uninsured();
  }
  const bool several = payers.takesPart[1] || payers.takesPart[2];
  const bool others = std::any_of(payers.heads.begin(), payers.heads.end(),
                                  [](const claim::HeadShare& h) { return h.others != 0; });
  Law traffic{"《最高人民法院关于审理道路交通事故损害赔偿案件适用法律若干问题的解释》", {}};
  for (const auto& [applies, article] :
       {std::pair{property, "第十二条"}, std::pair{anyLimit, "第十三条"},
        std::pair{anyUninsured, "第十六条"}, std::pair{several, "第十八条"},
        std::pair{others, "第十九条"}}) {
    if (applies) traffic.articles.emplace_back(article);
  }

  const std::vector<Law> laws{
      std::move(civil),
      {"《中华人民共和国道路交通安全法》", {"第七十六条"}},
      {"《机动车交通事故责任强制保险条例》",
       anyInsured ? std::vector<std::string>{"第二十一条", "第二十三条"}
                  : std::vector<std::string>{}},
      {"《最高人民法院关于审理人身损害赔偿案件适用法律若干问题的解释》", injuryArticles(rows)},
      std::move(traffic),
  };
  std::string text;
  for (const Law& law : laws) {
    if (law.articles.empty()) continue;
    text += (text.empty() ? "" : "，") + std::string(law.name);
    for (std::size_t k = 0; k < law.articles.size(); ++k) {
      text += (k == 0 ? "" : "、") + law.articles[k];
    }
  }
  return text + "。各项损失的计算方式及依据见附页《赔偿清单》。";
}

}  // namespace quorvane::complaint::detail
