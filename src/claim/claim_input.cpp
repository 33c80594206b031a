#include "claim_input.h"

#include <cstdio>

#include "calc.h"
#include "calendar.h"

namespace quorvane::claim::detail {
namespace {

using namespace std::string_view_literals;

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string quoted(std::string_view field, std::string_view text) {
  return std::string(field) + "“" + std::string(text) + "”";
}

ClaimRefusal notANumber(std::string_view field, std::string_view text) {
  return {quoted(field, text) + "不是有效的数字（只写数字，最多两位小数）"};
}

ClaimRefusal outOfRange(std::string_view field, std::string_view text, std::string_view range) {
  return {quoted(field, text) + "超出范围（" + std::string(range) + "）"};
}

// The value of a date's part of least to most digits and nothing else; -1
// for any other text. One pass: it reads both dates of every case.
[[gnu::always_inline]] inline int partValue(std::string_view text, std::size_t least,
                                            std::size_t most) {
  if (text.size() < least || text.size() > most) return -1;
  int value = 0;
  for (char c : text) {
    const auto digit = static_cast<unsigned char>(c - '0');
    if (digit > 9) return -1;
    value = value * 10 + digit;
  }
  return value;
}

// Reads the fields of one case one by one; the first fault is kept and the
// rest are not looked at.
class FieldReader {
 public:
  [[nodiscard]] bool failed() const { return refusal_.has_value(); }
  [[nodiscard]] ClaimRefusal refusal() const { return *refusal_; }

  void fail(ClaimRefusal refusal) {
    if (!refusal_) refusal_ = std::move(refusal);
  }

  // The first part of a date that is empty or not its digits.
  [[gnu::noinline, gnu::cold]] void refuseDate(
      std::string_view name, std::array<std::pair<std::string_view, std::string_view>, 3> parts) {
    for (std::size_t k = 0; k < parts.size(); ++k) {
      const auto [field, text] = parts[k];
      if (text.empty()) return fail({std::string(name) + "不完整：" + std::string(field) + "为空"});
      if (!allDigits(text) || (k == 0 ? text.size() != 4 : text.size() > 2)) {
        return fail({quoted(field, text) + "不是有效的" +
                     (k == 0 ? "年份（四位数字）" : "月或日（数字）")});
      }
    }
  }

  // Out of line: a batch of good cases never builds a message.
  [[gnu::noinline, gnu::cold]] void refuse(Reading reading, std::string_view field,
                                           std::string_view text, std::string_view range) {
    fail(reading == Reading::notANumber ? notANumber(field, text) : outOfRange(field, text, range));
  }

  // A number of hundredths; empty reads as fallback. Inline: it reads most
  // of a case's fields.
  [[gnu::always_inline]] std::int64_t number(std::string_view field, std::string_view text,
                                             std::int64_t most, std::string_view range,
                                             std::int64_t fallback = 0) {
    if (failed()) return 0;
    if (text.empty()) return fallback;
    std::int64_t value = 0;
    const Reading reading = readHundredths(text, most, value);
    if (reading == Reading::ok) [[likely]]
      return value;
    refuse(reading, field, text, range);
    return 0;
  }

  [[gnu::always_inline]] Fen money(std::string_view field, std::string_view text) {
    return number(field, text, kMostFen, "0 至 99999999.99 元");
  }

  [[gnu::always_inline]] std::int64_t days(std::string_view field, std::string_view text) {
    return number(field, text, kMostDays, "0 至 36500 天");
  }

  std::optional<Date> date(std::string_view name, std::string_view yearField, std::string_view year,
                           std::string_view monthField, std::string_view month,
                           std::string_view dayField, std::string_view day) {
    if (failed()) return std::nullopt;
    const int y = partValue(year, 4, 4), m = partValue(month, 1, 2), d = partValue(day, 1, 2);
    if ((y | m | d) < 0) [[unlikely]] {
      refuseDate(name, {{{yearField, year}, {monthField, month}, {dayField, day}}});
      return std::nullopt;
    }
    const auto found = realDate(y, m, d);
    if (!found) {
      fail({quoted(name, std::string(year) + "-" + std::string(month) + "-" + std::string(day)) +
            "不是存在的日期"});
    }
    return found;
  }

 private:
  std::optional<ClaimRefusal> refusal_;
};

// "2011-03-01": four digits, a dash, two digits, a dash, two digits.
std::optional<Date> isoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const int y = partValue(text.substr(0, 4), 4, 4), m = partValue(text.substr(5, 2), 2, 2),
            d = partValue(text.substr(8, 2), 2, 2);
  if ((y | m | d) < 0) return std::nullopt;
  return realDate(y, m, d);
}

// Whole years from hundredths of a year, halves to the even year.
std::int16_t roundedYears(std::int64_t hundredths) {
  const std::int64_t whole = hundredths / 100, rest = hundredths % 100;
  return static_cast<std::int16_t>(whole + (rest > 50 || (rest == 50 && whole % 2 != 0) ? 1 : 0));
}

// A dependant's years by the rules of the 22 amounts (to 18 for a child; 20,
// 80 − age or 5 for an elder), worked on the exact age: every tie of those
// rules is an age the double arithmetic there holds exactly, so the two agree.
std::int16_t childYears(std::int64_t age) {
  return age > 0 && age <= 1'800 ? roundedYears(1'800 - age) : std::int16_t{0};
}

std::int16_t elderYears(std::int64_t age) {
  if (age > 1'800 && age <= 6'000) return 20;
  if (age > 6'000 && age <= 7'500) return roundedYears(8'000 - age);
  return age > 7'500 ? std::int16_t{5} : std::int16_t{0};
}

constexpr std::array<std::string_view, 10> kGrades{"一", "二", "三", "四", "五",
                                                   "六", "七", "八", "九", "十"};

// Each vehicle's three inputs; vehicle 1's are the first version's.
struct VehicleInputs {
  NamedField<ClaimInput> insurance, share, limit;
};
constexpr std::array<VehicleInputs, 3> kVehicleInputs{{
    {{"交强险", &ClaimInput::交强险},
     {"责任比例", &ClaimInput::责任比例},
     {"商业三者险限额", &ClaimInput::商业三者险限额}},
    {{"车辆2交强险", &ClaimInput::车辆2交强险},
     {"车辆2责任比例", &ClaimInput::车辆2责任比例},
     {"车辆2商业三者险限额", &ClaimInput::车辆2商业三者险限额}},
    {{"车辆3交强险", &ClaimInput::车辆3交强险},
     {"车辆3责任比例", &ClaimInput::车辆3责任比例},
     {"车辆3商业三者险限额", &ClaimInput::车辆3商业三者险限额}},
}};

// The other victims' losses, in the order of the heads (Cover).
constexpr std::array<NamedField<ClaimInput>, 3> kOtherVictims{{
    {"其他受害人医疗费用", &ClaimInput::其他受害人医疗费用},
    {"其他受害人死亡伤残", &ClaimInput::其他受害人死亡伤残},
    {"其他受害人财产损失", &ClaimInput::其他受害人财产损失},
}};

// Care after the assessment takes its three inputs together, and a death
// has neither it nor later treatment.
std::optional<ClaimRefusal> readLaterCare(const ClaimInput& claim, Facts& facts) {
  constexpr std::array<NamedField<ClaimInput>, 4> kLater{{
      {"护理依赖", &ClaimInput::护理依赖},
      {"后续护理年限", &ClaimInput::后续护理年限},
      {"后续护理日工资", &ClaimInput::后续护理日工资},
      {"后续治疗费", &ClaimInput::后续治疗费},
  }};
  if (facts.death) {
    for (const auto& field : kLater) {
      const std::string& text = claim.*field.member;
      if (!text.empty()) return ClaimRefusal{quoted(field.name, text) + "不适用于死亡案件：请留空"};
    }
    return std::nullopt;
  }
  const std::string_view dependency = claim.护理依赖;
  if (dependency == "完全"sv) {
    facts.laterCareShare = 10'000;
  } else if (dependency == "大部分"sv) {
    facts.laterCareShare = 8'000;
  } else if (dependency == "部分"sv) {
    facts.laterCareShare = 5'000;
  } else if (!dependency.empty()) {
    return ClaimRefusal{quoted("护理依赖", dependency) + "只能是“完全”、“大部分”或“部分”"};
  }
  std::size_t set = 0;
  for (std::size_t k = 0; k < 3; ++k) set += (claim.*kLater[k].member).empty() ? 0U : 1U;
  if (set == 1 || set == 2) {
    std::size_t missing = 0;
    while (!(claim.*kLater[missing].member).empty()) ++missing;
    return ClaimRefusal{"后续护理不完整：" + std::string(kLater[missing].name) +
                        "为空（护理依赖、后续护理年限、后续护理日工资须一并填写）"};
  }
  return std::nullopt;
}

std::optional<ClaimRefusal> readVehicles(const ClaimInput& claim, Facts& facts) {
  const bool several = facts.vehicles[1].takesPart || facts.vehicles[2].takesPart;
  std::int64_t shares = 0;
  for (std::size_t v = 0; v < kVehicleInputs.size(); ++v) {
    const auto& names = kVehicleInputs[v];
    Vehicle& vehicle = facts.vehicles[v];
    const std::string_view text = claim.*names.insurance.member;
    if (text == "有责"sv) {
      vehicle.insurance = Insurance::liable;
    } else if (text == "无责"sv) {
      vehicle.insurance = Insurance::notLiable;
    } else if (!text.empty() && text != "无"sv) {
      return ClaimRefusal{quoted(names.insurance.name, text) + "只能是“有责”、“无责”或“无”"};
    }
    if (vehicle.insurance != Insurance::none &&
        facts.accident.dayNumber < realDate(2008, 2, 1)->dayNumber) {
      return ClaimRefusal{std::string(names.insurance.name) + "：事故发生日 " +
                          isoText(facts.accident) +
                          " 早于 2008-02-01，当时的责任限额不在计算范围内"};
    }
    if (!vehicle.takesPart) continue;
    if (several && !vehicle.shareSet) {
      return ClaimRefusal{std::string(names.share.name) +
                          "为空：多辆车时，每辆参与的车都须填写责任比例"};
    }
    shares += vehicle.share;
  }
  if (shares > 10'000) {
    std::string listed;
    for (std::size_t v = 0; v < kVehicleInputs.size(); ++v) {
      if (!facts.vehicles[v].takesPart) continue;
      listed += (listed.empty() ? "" : " + ") + std::string(claim.*kVehicleInputs[v].share.member);
    }
    return ClaimRefusal{"各车责任比例合计超过 100（" + listed + "）"};
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> hundredths(std::string_view text, std::int64_t most) {
  std::int64_t value = 0;
  if (readHundredths(text, most, value) != Reading::ok) return std::nullopt;
  return value;
}

std::string isoText(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

InsuranceLimits insuranceLimits(const Date& accident, Insurance insurance) {
  const bool from2020 = accident.dayNumber >= realDate(2020, 9, 19)->dayNumber;
  if (insurance == Insurance::none) return {{}, from2020};
  const bool liable = insurance == Insurance::liable;
  const Fen scale = liable ? 100 : 10;  // fen, or a tenth for 无责
  // The property limit is the same in both periods: 2000, or 100 without liability.
  return {{(from2020 ? 18'000 : 10'000) * scale, (from2020 ? 180'000 : 110'000) * scale,
           liable ? 200'000 : 10'000},
          from2020};
}

std::optional<Date> realDate(int year, int month, int day) {
  if (year < 1 || month < 1 || month > 12 || day < 1) return std::nullopt;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  constexpr std::array<int, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int length = kLengths[static_cast<std::size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
  if (day > length) return std::nullopt;
  return Date{year, month, day, quorvane::detail::daysFromCivil(year, month, day)};
}

int wholeYears(const Date& birth, const Date& on) {
  // Comparing month and day as they are puts a 29 February birthday on
  // 1 March in a common year: 28 February is before it, 1 March is not.
  const bool reached = on.month != birth.month ? on.month > birth.month : on.day >= birth.day;
  return on.year - birth.year - (reached ? 0 : 1);
}

std::optional<ClaimRefusal> readFacts(const CaseInput& in, const ClaimInput& claim,
                                      const StandardsTable& standards, Facts& facts) {
  FieldReader read;

  if (claim.案件类型 == "死亡"sv) {
    facts.death = true;
  } else if (!claim.案件类型.empty() && claim.案件类型 != "伤残"sv) {
    return ClaimRefusal{quoted("案件类型", claim.案件类型) + "只能是“伤残”或“死亡”"};
  }
  if (facts.death && !claim.定残日.empty()) {
    return ClaimRefusal{quoted("定残日", claim.定残日) + "不适用于死亡案件：请留空"};
  }

  const auto birth = read.date("受害人生日", "受害人生日年", in.受害人生日年, "受害人生日月",
                               in.受害人生日月, "受害人生日日", in.受害人生日日);
  const auto accident = read.date("事故发生日", "事故发生日年", in.事故发生日年, "事故发生日月",
                                  in.事故发生日月, "事故发生日日", in.事故发生日日);
  if (read.failed()) return read.refusal();
  facts.birth = *birth;
  facts.accident = *accident;
  facts.reference = *accident;
  if (!claim.定残日.empty()) {
    const auto assessed = isoDate(claim.定残日);
    if (!assessed)
      return ClaimRefusal{quoted("定残日", claim.定残日) + "不是存在的日期（格式为 YYYY-MM-DD）"};
    if (assessed->dayNumber < accident->dayNumber) {
      return ClaimRefusal{quoted("定残日", claim.定残日) + "早于事故发生日 " + isoText(*accident)};
    }
    facts.reference = *assessed;
    facts.assessed = true;
  }
  if (birth->dayNumber > facts.reference.dayNumber) {
    return ClaimRefusal{quoted("受害人生日", isoText(*birth)) + "晚于" +
                        (facts.assessed ? "定残日 " : "事故发生日 ") + isoText(facts.reference)};
  }
  facts.age = wholeYears(*birth, facts.reference);
  if (facts.age > kMostAge / 100) {
    return ClaimRefusal{"受害人年龄 " + std::to_string(facts.age) + " 周岁超出范围（0 至 150 岁）"};
  }

  const std::string_view yearField = claim.计算标准年度.empty() ? "事故发生日年" : "计算标准年度";
  const std::string_view year = claim.计算标准年度.empty() ? in.事故发生日年 : claim.计算标准年度;
  if (year.size() != 4 || !allDigits(year)) {
    return ClaimRefusal{quoted(yearField, year) + "不是有效的年份（四位数字）"};
  }
  const auto row = standards.find(year);
  if (!row) {
    return ClaimRefusal{quoted(yearField, year) + "没有统计标准：请在“年度标准”中添加" +
                        std::string(year) + "年的数据"};
  }
  facts.row = *row;
  if (facts.death && !row->values.averageWage) {
    return ClaimRefusal{std::string(year) + "年度没有职工平均工资：请在“年度标准”中填写"};
  }

  // A death case has no grade: whatever the list holds is not used.
  if (!facts.death && !in.伤残等级.empty()) {
    std::size_t k = 0;
    while (k < kGrades.size() && kGrades[k] != in.伤残等级) ++k;
    if (k == kGrades.size()) return ClaimRefusal{quoted("伤残等级", in.伤残等级) + "不是一至十级"};
    facts.grade = static_cast<int>(k) + 1;
  }
  facts.extra = read.number("伤残附加指数", claim.伤残附加指数, 1'000, "0 至 10");
  if (facts.death && facts.extra != 0) {
    return ClaimRefusal{quoted("伤残附加指数", claim.伤残附加指数) + "不适用于死亡案件：请留空"};
  }
  if (in.夫妻或单亲 == "夫妻"sv) {
    facts.parentCount = 2;
  } else if (!in.夫妻或单亲.empty() && in.夫妻或单亲 != "单亲"sv) {
    return ClaimRefusal{quoted("夫妻或单亲", in.夫妻或单亲) + "只能是“夫妻”或“单亲”"};
  }

  facts.carerDays[0] = read.days("人员1的护理天数", in.人员1的护理天数);
  facts.carerWage[0] = read.money("护理人员1的工资", in.护理人员1的工资);
  facts.carerDays[1] = read.days("人员2的护理天数", in.人员2的护理天数);
  facts.carerWage[1] = read.money("护理人员2的工资", in.护理人员2的工资);
  facts.hospitalDays = read.days("住院天数", in.住院天数);
  facts.lostDays = read.days("误工天数", in.误工天数);
  facts.dailyIncome = read.money("最近三年日平均收入", in.最近三年日平均收入);
  facts.lodgingDays = read.days("住宿天数", in.住宿天数);

  for (std::size_t k = 0; k < 6; ++k) {
    const auto& field = inputFields[16 + k];
    facts.childYears[k] =
        childYears(read.number(field.name, in.*field.member, kMostAge, "0 至 150 岁"));
  }
  for (std::size_t k = 0; k < 4; ++k) {
    const auto& field = inputFields[22 + k];
    facts.elderYears[k] =
        elderYears(read.number(field.name, in.*field.member, kMostAge, "0 至 150 岁"));
  }
  const auto siblings =
      read.number("兄弟姐妹人数", in.兄弟姐妹人数, kMostSiblings * 100, "0 至 20");
  if (!read.failed() && siblings % 100 != 0) {
    read.fail({quoted("兄弟姐妹人数", in.兄弟姐妹人数) + "不是整数"});
  }
  facts.siblings = static_cast<int>(siblings / 100);

  facts.transport = read.money("交通费", in.交通费);
  facts.medical = read.money("医疗费", in.医疗费);
  facts.nutrition = read.money("营养费", in.营养费);
  facts.aids = read.money("残疾辅助器具", in.残疾辅助器具);
  facts.solace = read.money("精神损害抚慰金", claim.精神损害抚慰金);
  facts.laterCareYears = read.number("后续护理年限", claim.后续护理年限, 2'000, "0 至 20 年");
  facts.laterCareWage = read.money("后续护理日工资", claim.后续护理日工资);
  facts.laterTreatment = read.money("后续治疗费", claim.后续治疗费);
  facts.property = read.money("财产损失", claim.财产损失);
  facts.appraisal = read.money("鉴定费", claim.鉴定费);
  for (std::size_t v = 0; v < kVehicleInputs.size(); ++v) {
    const auto& names = kVehicleInputs[v];
    Vehicle& vehicle = facts.vehicles[v];
    const std::string& share = claim.*names.share.member;
    const std::string& limit = claim.*names.limit.member;
    vehicle.takesPart =
        v == 0 || !(claim.*names.insurance.member).empty() || !share.empty() || !limit.empty();
    vehicle.shareSet = !share.empty();
    vehicle.share = read.number(names.share.name, share, 10'000, "0 至 100", 10'000);
    vehicle.commercialLimit = read.money(names.limit.name, limit);
  }
  for (std::size_t head = 0; head < kOtherVictims.size(); ++head) {
    facts.others[head] = read.money(kOtherVictims[head].name, claim.*kOtherVictims[head].member);
  }
  if (read.failed()) return read.refusal();
  if (auto refusal = readLaterCare(claim, facts)) return refusal;
  if (auto refusal = readVehicles(claim, facts)) return refusal;
  // The procedure changes only the court fee.
  facts.summary = claim.简易程序 == "是"sv;
  if (!facts.summary && !claim.简易程序.empty()) {
    return ClaimRefusal{quoted("简易程序", claim.简易程序) + "应为“是”或不填"};
  }
  return std::nullopt;
}

}  // namespace quorvane::claim::detail
