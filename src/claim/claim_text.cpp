#include <charconv>

#include "claim.h"
#include "claim_report.h"

namespace quorvane::claim {
namespace {

constexpr std::array<std::string_view, 8> kPayerNames{
    "交强险医疗费用", "交强险死亡伤残", "交强险合计", "剩余损失",
    "责任方承担",     "商业三者险",     "侵权人",     "受害人自担"};

std::array<Fen, 8> payerAmounts(const Payers& p) {
  return {p.交强险医疗费用, p.交强险死亡伤残, p.交强险合计, p.剩余损失,
          p.责任方承担,     p.商业三者险,     p.侵权人,     p.受害人自担};
}

}  // namespace

void appendFen(std::string& out, Fen amount) {
  const bool negative = amount < 0;
  const auto magnitude =
      negative ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
  char text[32];
  char* end = text;
  if (negative) *end++ = '-';
  end = std::to_chars(end, text + sizeof text, magnitude / 100).ptr;
  const auto cents = static_cast<char>(magnitude % 100);
  *end++ = '.';
  *end++ = static_cast<char>('0' + cents / 10);
  *end++ = static_cast<char>('0' + cents % 10);
  out.append(text, end);
}

std::string fenText(Fen amount) {
  std::string text;
  appendFen(text, amount);
  return text;
}

std::vector<Fen> columnAmounts(const ClaimSheet& sheet) {
  std::vector<Fen> amounts(sheet.items.begin(), sheet.items.end());
  amounts.push_back(sheet.合计);
  for (Fen amount : payerAmounts(sheet.payers)) amounts.push_back(amount);
  return amounts;
}

const std::vector<std::string>& columnNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all{std::string(kNoticeColumn)};
    for (const auto& item : kItems) all.push_back("清单" + std::string(item.name));
    all.emplace_back("清单合计");
    for (auto name : kPayerNames) all.emplace_back(name);
    return all;
  }();
  return names;
}

std::vector<std::string> columnTexts(const ClaimOutcome& outcome) {
  std::vector<std::string> texts(columnNames().size());
  if (const auto* refusal = std::get_if<ClaimRefusal>(&outcome)) {
    texts[0] = refusal->message;
    return texts;
  }
  std::size_t column = 1;
  for (Fen amount : columnAmounts(std::get<ClaimSheet>(outcome))) texts[column++] = fenText(amount);
  return texts;
}

std::vector<std::string> columnWorking(const ClaimOutcome& outcome) {
  std::vector<std::string> working(columnNames().size());
  const auto* sheet = std::get_if<ClaimSheet>(&outcome);
  if (sheet == nullptr) return working;
  for (std::size_t k = 0; k < kItemCount; ++k) working[1 + k] = sheet->itemWorking[k];
  for (std::size_t k = 1 + kItemCount + 1; k < working.size(); ++k) {
    working[k] = sheet->payersWorking;
  }
  return working;
}

ReportSection reportSection(const ClaimInput& claim, const ClaimOutcome& outcome) {
  ReportSection section{std::string(kSectionTitle), {}};
  for (const auto& field : claimFields) {
    const std::string& text = claim.*field.member;
    section.rows.push_back({std::string(field.name), text.empty() ? "（空）" : text, {}});
  }
  if (const auto* refusal = std::get_if<ClaimRefusal>(&outcome)) {
    section.rows.push_back({std::string(kNoticeColumn), refusal->message, {}});
    return section;
  }
  const auto& sheet = std::get<ClaimSheet>(outcome);
  for (std::size_t k = 0; k < kItemCount; ++k) {
    section.rows.push_back(
        {std::string(kItems[k].name), fenText(sheet.items[k]), sheet.itemWorking[k]});
  }
  section.rows.push_back({"合计", fenText(sheet.合计), {}});
  const auto amounts = payerAmounts(sheet.payers);
  for (std::size_t k = 0; k < kPayerNames.size(); ++k) {
    section.rows.push_back({std::string(kPayerNames[k]), fenText(amounts[k]),
                            k + 1 == kPayerNames.size() ? sheet.payersWorking : std::string()});
  }
  return section;
}

}  // namespace quorvane::claim
