#include <algorithm>
#include <cstdint>
#include <cstring>

#include "claim.h"
#include "claim_report.h"
#include "claim_table.h"
#include "court_fee.h"

namespace quorvane::claim {
namespace {

constexpr std::array<std::string_view, 8> kPayerNames{
    "交强险医疗费用", "交强险死亡伤残", "交强险合计", "剩余损失",
    "责任方承担",     "商业三者险",     "侵权人",     "受害人自担"};

constexpr std::array<std::string_view, 4> kVehiclePayerNames{"交强险赔付", "责任方承担",
                                                             "商业三者险", "侵权人"};

std::array<Fen, 8> payerAmounts(const Payers& p) {
  return {p.交强险医疗费用, p.交强险死亡伤残, p.交强险合计, p.剩余损失,
          p.责任方承担,     p.商业三者险,     p.侵权人,     p.受害人自担};
}

}  // namespace

char* writeFen(char* out, Fen amount) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  static constexpr auto kPowers = [] {
    std::array<std::uint64_t, 20> powers{1};
    for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 10;
    return powers;
  }();
  if (amount == 0) return std::copy_n("0.00", 4, out);  // most claims' payers and costs
  if (amount < 0) *out++ = '-';
  auto fen =
      amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
  // The digits are counted first (at least "0.0d"), so each goes straight to
  // its place, from the last one back, two at a time.
  std::size_t digits = 3;
  while (digits < kPowers.size() && fen >= kPowers[digits]) ++digits;
  char* const end = out + digits + 1;
  char* p = end;
  const auto pair = [&p](std::uint64_t value) {
    p -= 2;
    std::memcpy(p, kPairs + value * 2, 2);
  };
  pair(fen % 100);
  fen /= 100;
  *--p = '.';
  for (; fen >= 100; fen /= 100) pair(fen % 100);
  if (fen >= 10) {
    pair(fen);
  } else {
    *--p = static_cast<char>('0' + fen);
  }
  return end;
}

void appendFen(std::string& out, Fen amount) {
  char text[kLongestFen];
  out.append(text, writeFen(text, amount));
}

std::string fenText(Fen amount) {
  std::string text;
  appendFen(text, amount);
  return text;
}

std::array<Fen, kAmountColumns> columnAmounts(const ClaimSheet& sheet) {
  std::array<Fen, kAmountColumns> amounts{};
  auto* out = std::copy_n(sheet.items.begin(), kFirstItems, amounts.begin());
  *out++ = sheet.合计;
  const auto payers = payerAmounts(sheet.payers);
  out = std::copy(payers.begin(), payers.end(), out);
  out = std::copy(sheet.items.begin() + kFirstItems, sheet.items.end(), out);
  *out++ = sheet.payers.交强险财产损失;
  for (const auto& v : sheet.payers.vehicles) {
    *out++ = v.交强险赔付, *out++ = v.责任方承担, *out++ = v.商业三者险, *out++ = v.侵权人;
  }
  *out = sheet.案件受理费;
  return amounts;
}

const std::vector<std::string>& columnNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all{std::string(kNoticeColumn)};
    const auto item = [&](std::size_t k) { all.push_back("清单" + std::string(kItems[k].name)); };
    for (std::size_t k = 0; k < kFirstItems; ++k) item(k);
    all.emplace_back("清单合计");
    for (auto name : kPayerNames) all.emplace_back(name);
    for (std::size_t k = kFirstItems; k < kItemCount; ++k) item(k);
    all.emplace_back("交强险财产损失");
    for (std::size_t v = 1; v <= kVehicleCount; ++v) {
      for (auto payer : kVehiclePayerNames) {
        all.push_back("车辆" + std::to_string(v) + std::string(payer));
      }
    }
    all.emplace_back("案件受理费");
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

ReportSection reportSection(const ClaimInput& claim, const ClaimOutcome& outcome) {
  ReportSection section{std::string(kSectionTitle), {}, {}, {}};
  // The first version's inputs always, the later ones when set.
  for (std::size_t k = 0; k < claimFields.size(); ++k) {
    const std::string& text = claim.*claimFields[k].member;
    if (k >= kFirstClaimFields && text.empty()) continue;
    section.rows.push_back({std::string(claimFields[k].name), text.empty() ? "（空）" : text, {}});
  }
  // Then the sheet as it is filed; a refusal, its notice and the header alone.
  section.table.emplace_back(kTableColumns.begin(), kTableColumns.end());
  if (const auto* refusal = std::get_if<ClaimRefusal>(&outcome)) {
    section.rows.push_back({std::string(kNoticeColumn), refusal->message, {}});
    return section;
  }
  for (const auto& row : filedTable(outcome)) {
    const auto cells = tableCells(row);
    section.table.emplace_back(cells.begin(), cells.end());
  }
  section.note = feeLine(std::get<ClaimSheet>(outcome), claim.简易程序 == "是");
  return section;
}

}  // namespace quorvane::claim
