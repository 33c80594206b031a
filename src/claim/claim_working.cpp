#include "claim_working.h"

#include <numeric>

namespace quorvane::claim::detail {
namespace {

constexpr std::array<std::string_view, 10> kGradeNames{"一级", "二级", "三级", "四级", "五级",
                                                       "六级", "七级", "八级", "九级", "十级"};

std::string fraction(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t common = std::gcd(numerator, denominator);
  if (common == 0) return "0";
  numerator /= common;
  denominator /= common;
  if (denominator == 1) return std::to_string(numerator);
  return std::to_string(numerator) + "/" + std::to_string(denominator);
}

std::string yuan(std::int64_t whole) {
  return std::to_string(whole) + " 元";
}

std::string coefficientText(const Facts& facts, std::int64_t coefficient) {
  if (facts.grade == 0) return "0（未选伤残等级）";
  const auto& grade = kGradeNames[static_cast<std::size_t>(facts.grade - 1)];
  const std::int64_t base = (11 - facts.grade) * 1'000;
  std::string text = percentText(coefficient) + "（" + std::string(grade) + " " + percentText(base);
  if (facts.extra > 0) text += " + 附加指数 " + percentText(facts.extra);
  if (base + facts.extra > 10'000) text += "，以 100% 为限";
  return text + "）";
}

std::string dependencyName(const Facts& facts) {
  if (facts.laterCareShare == 10'000) return "完全";
  return facts.laterCareShare == 8'000 ? "大部分" : "部分";
}

}  // namespace

std::string plainText(std::int64_t hundredths) {
  std::string text = std::to_string(hundredths / 100);
  const std::int64_t cents = hundredths % 100;
  if (cents != 0) {
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
  }
  return text;
}

std::string percentText(std::int64_t hundredths) {
  return plainText(hundredths) + "%";
}

std::string vehicleName(std::size_t v) {
  return "车辆" + std::to_string(v + 1);
}

std::string vehicleParts(const Payers& payers, const HeadShare& head) {
  std::string parts;
  for (std::size_t v = 0; v < kVehicleCount; ++v) {
    if (!payers.takesPart[v]) continue;
    parts += (parts.empty() ? "" : "，") + vehicleName(v) + " " + fenText(head.parts[v]);
  }
  return parts;
}

std::string sharesText(const Payers& payers) {
  std::int64_t share = 0;
  std::string shares;
  for (std::size_t v = 0; v < kVehicleCount; ++v) {
    if (!payers.takesPart[v]) continue;
    share += payers.vehicles[v].share;
    shares += (shares.empty() ? "" : " + ") + percentText(payers.vehicles[v].share);
  }
  const bool several = payers.takesPart[1] || payers.takesPart[2];
  return percentText(share) + (several ? "（" + shares + "）" : std::string());
}

void Working::supportYear(int year, std::int64_t shares, std::int64_t denominator) {
  denominator_ = denominator;
  if (!runs_.empty() && runs_.back().shares == shares && runs_.back().last == year - 1) {
    runs_.back().last = year;
  } else {
    runs_.push_back({year, year, shares});
  }
}

void Working::finish(ClaimSheet& sheet, std::int64_t coefficient, int years) const {
  const Facts& f = facts_;
  const Standards& row = f.row.values;
  const std::string standards = std::string(f.row.accidentYear) + "年标准";
  auto& w = sheet.itemWorking;
  w.assign(kItemCount, {});

  const std::string age = "出生 " + isoText(f.birth) + "，" +
                          (f.assessed ? "定残日 " : "事故发生日 ") + isoText(f.reference) + "，" +
                          std::to_string(f.age) + " 周岁，赔偿 " + std::to_string(years) + " 年";
  const std::string income =
      standards + "：城镇居民人均可支配收入 " + yuan(row.urbanDisposableIncome);
  if (f.death) {
    w[残疾赔偿金] = "死亡案件不计";
    w[死亡赔偿金] = yuan(row.urbanDisposableIncome) + " × " + std::to_string(years) +
                    " 年 = " + fenText(sheet.items[死亡赔偿金]) + "\n" + income + "\n" + age;
    w[丧葬费] = yuan(*row.averageWage) + " ÷ 12 × 6 = " + fenText(sheet.items[丧葬费]) + "\n" +
                standards + "：职工平均工资 " + yuan(*row.averageWage);
  } else {
    w[残疾赔偿金] = yuan(row.urbanDisposableIncome) + " × " + std::to_string(years) + " 年 × " +
                    coefficientText(f, coefficient) + " = " + fenText(sheet.items[残疾赔偿金]) +
                    "\n" + income + "\n" + age;
    w[死亡赔偿金] = "伤残案件不计";
    w[丧葬费] = "伤残案件不计";
  }

  std::string nursing;
  for (std::size_t k = 0; k < 2; ++k) {
    if (f.carerDays[k] == 0 && f.carerWage[k] == 0) continue;
    if (!nursing.empty()) nursing += " + ";
    nursing += plainText(f.carerWage[k]) + " 元 × " + plainText(f.carerDays[k]) + " 天";
  }
  w[护理费] = (nursing.empty() ? "无护理" : nursing) + " = " + fenText(sheet.items[护理费]);
  w[住院伙食补助费] = std::to_string(row.mealAllowancePerDay) + " 元 × " +
                      plainText(f.hospitalDays) + " 天 = " + fenText(sheet.items[住院伙食补助费]) +
                      "（" + standards + "）";
  w[误工费] = plainText(f.dailyIncome) + " 元 × " + plainText(f.lostDays) +
              " 天 = " + fenText(sheet.items[误工费]);
  w[住宿费] = std::to_string(row.lodgingAllowancePerDay) + " 元 × " + plainText(f.lodgingDays) +
              " 天 = " + fenText(sheet.items[住宿费]) + "（" + standards + "）";

  std::string support;
  if (runs_.empty()) support = "无被扶养人";
  for (const Run& run : runs_) {
    const int count = run.last - run.first + 1;
    if (!support.empty()) support += "\n";
    support += "第 " + std::to_string(run.first) +
               (count > 1 ? " 至 " + std::to_string(run.last) : std::string()) + " 年：" +
               yuan(row.supportBase) + " × ";
    const std::string shares = fraction(run.shares, denominator_);
    if (coefficient * run.shares >= 10'000 * denominator_) {
      support += "100%（" + percentText(coefficient) + " × " + shares + "，以消费性支出为限）";
    } else if (f.death) {
      support += shares + "（死亡案件按 100%）";
    } else {
      support += percentText(coefficient) + " × " + shares;
    }
    support += " × " + std::to_string(count) + " 年";
  }
  if (!runs_.empty()) {
    support += "\n份额：孩子各 " + fraction(1, f.parentCount) + "，老人各 " +
               fraction(1, f.siblings + 1) + "（兄弟姐妹 " + std::to_string(f.siblings) +
               " 人）；" + standards + "：城镇居民人均消费性支出 " + yuan(row.supportBase);
  }
  w[被扶养人生活费] = support + "\n合计 " + fenText(sheet.items[被扶养人生活费]);
  for (std::size_t item :
       {交通费, 医疗费, 营养费, 残疾辅助器具费, 精神损害抚慰金, 后续治疗费, 财产损失, 鉴定费}) {
    w[item] = "按录入 " + fenText(sheet.items[item]);
  }
  if (f.laterCareShare == 0) {
    w[后续护理费] = "无定残后护理 = 0.00";
  } else {
    w[后续护理费] = plainText(f.laterCareWage) + " 元 × 365 天 × " + plainText(f.laterCareYears) +
                    " 年 × " + percentText(f.laterCareShare) + "（" + dependencyName(f) +
                    "护理依赖） = " + fenText(sheet.items[后续护理费]);
  }
}

}  // namespace quorvane::claim::detail
