#include "claim_table.h"

#include "claim_working.h"

namespace quorvane::claim {
namespace {

using detail::kHeadNames;
using detail::plainText;
using detail::sharesText;
using detail::vehicleName;
using detail::vehicleParts;

// Where each item rests, short, as a complaint cites it. Differences are
// written with "-": the window's Song bitmaps have no U+2212.
constexpr std::string_view kInterpretation = "人身损害赔偿解释";
constexpr std::string_view kInsuranceBasis =
    "道路交通安全法第七十六条、机动车交通事故责任强制保险条例第二十三条";
constexpr std::string_view kCommercialBasis = "民法典第一千二百一十三条";

struct Listed {
  std::size_t item;
  std::string_view article;  // of the interpretation, unless it names its law
  std::string_view typed;    // the method of an item taken as typed; empty for a working
};

// The items in the order a judgment lists them.
constexpr std::array<Listed, kItemCount> kListed{{
    {残疾赔偿金, "第十二条", ""},
    {死亡赔偿金, "第十五条", ""},
    {丧葬费, "第十四条", ""},
    {护理费, "第八条", ""},
    {后续护理费, "第八条", ""},
    {住院伙食补助费, "第十条", ""},
    {误工费, "第七条", ""},
    {住宿费, "第十条", ""},
    {被扶养人生活费, "第十六条、第十七条", ""},
    {交通费, "第九条", "按票据"},
    {医疗费, "第六条", "按票据"},
    {后续治疗费, "第六条", "按票据"},
    {营养费, "第十一条", "按票据"},
    {残疾辅助器具费, "第十三条", "按票据"},
    {精神损害抚慰金, "民法典第一千一百八十三条", "主张金额"},
    {财产损失, "民法典第一千一百八十四条", "按票据"},
    {鉴定费, "", "按票据"},
}};

std::string basisOf(std::string_view article) {
  if (article.empty() || article.starts_with("民法典")) return std::string(article);
  return std::string(kInterpretation) + std::string(article);
}

// The working's first line without its " = amount"; the support's years
// joined on one line.
std::string methodOf(const ClaimSheet& sheet, const Listed& listed) {
  if (!listed.typed.empty()) return std::string(listed.typed);
  const std::string& working = sheet.itemWorking[listed.item];
  const std::string result = " = " + fenText(sheet.items[listed.item]);
  std::string method;
  std::size_t start = 0;
  while (start < working.size()) {
    std::size_t end = working.find('\n', start);
    if (end == std::string::npos) end = working.size();
    std::string line = working.substr(start, end - start);
    start = end + 1;
    if (listed.item == 被扶养人生活费 && !line.starts_with("第 ")) continue;
    if (const auto at = line.find(result); at != std::string::npos) line.erase(at, result.size());
    method += (method.empty() ? "" : "；") + line;
    if (listed.item != 被扶养人生活费) break;
  }
  return method;
}

void addPayers(const ClaimSheet& sheet, std::vector<TableRow>& rows) {
  const Payers& p = sheet.payers;
  const bool several = p.takesPart[1] || p.takesPart[2];
  const auto payer = [&](std::string name, std::string method, Fen amount, std::string_view basis,
                         bool always = false) {
    if (amount == 0 && !always) return;
    rows.push_back({TableRow::Kind::payer,
                    {},
                    std::move(name),
                    std::move(method),
                    amount,
                    std::string(basis)});
  };
  for (std::size_t h = 0; h < kHeadCount; ++h) {
    const HeadShare& head = p.heads[h];
    std::string method = std::string(kHeadNames[h]) + "类损失 " + fenText(head.own);
    if (head.others != 0) method += "，其他受害人 " + fenText(head.others);
    method += "，限额 " + plainText(head.limit);
    if (head.others != 0 && head.own + head.others > head.limit) method += "，按损失比例";
    if (several) method += "（" + vehicleParts(p, head) + "）";
    payer("交强险（" + std::string(kHeadNames[h]) + "）", method, head.paid, kInsuranceBasis);
  }
  payer("剩余损失", fenText(sheet.合计) + " - " + fenText(p.交强险合计), p.剩余损失, "", true);
  payer("责任方承担", fenText(p.剩余损失) + " × " + sharesText(p), p.责任方承担,
        "道路交通安全法第七十六条", true);
  for (std::size_t v = 0; v < kVehicleCount; ++v) {
    if (!p.takesPart[v]) continue;
    const VehiclePayers& vehicle = p.vehicles[v];
    const std::string prefix = several ? vehicleName(v) + " " : "";
    const std::string part =
        several ? "按责任比例分摊 " + fenText(vehicle.责任方承担) + "，" : std::string();
    payer(prefix + "商业三者险", part + "限额 " + plainText(vehicle.commercialLimit),
          vehicle.商业三者险, kCommercialBasis);
    payer(prefix + "侵权人", fenText(vehicle.责任方承担) + " - " + fenText(vehicle.商业三者险),
          vehicle.侵权人, kCommercialBasis);
  }
  payer("受害人自担", fenText(p.剩余损失) + " - " + fenText(p.责任方承担), p.受害人自担, "");
}

}  // namespace

std::vector<TableRow> filedTable(const ClaimOutcome& outcome) {
  std::vector<TableRow> rows;
  const auto* sheet = std::get_if<ClaimSheet>(&outcome);
  if (sheet == nullptr) return rows;
  const bool worked = sheet->itemWorking.size() == kItemCount;
  int number = 0;
  for (const Listed& listed : kListed) {
    if (sheet->items[listed.item] == 0) continue;
    rows.push_back({TableRow::Kind::item, std::to_string(++number),
                    std::string(kItems[listed.item].name),
                    worked ? methodOf(*sheet, listed) : std::string(), sheet->items[listed.item],
                    basisOf(listed.article)});
  }
  rows.push_back({TableRow::Kind::total, {}, "合计", {}, sheet->合计, {}});
  addPayers(*sheet, rows);
  return rows;
}

std::array<std::string, 5> tableCells(const TableRow& row) {
  return {row.number, row.name, row.method, fenText(row.amount), row.basis};
}

}  // namespace quorvane::claim
