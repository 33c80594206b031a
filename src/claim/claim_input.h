#pragma once

// The claim's inputs read strictly: every text becomes an exact whole number
// (yuan and days in hundredths, percentages in hundredths of a point) or the
// refusal that names its field and text.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "claim.h"

namespace quorvane::claim::detail {

struct Date {
  int year = 0, month = 0, day = 0;
  std::int64_t dayNumber = 0;
};

enum class Insurance { none, liable, notLiable };

// The limits a hundredths reading is held to.
inline constexpr std::int64_t kMostFen = 9'999'999'999;  // 99,999,999.99 yuan
inline constexpr std::int64_t kMostDays = 3'650'000;     // 36,500 days
inline constexpr std::int64_t kMostAge = 15'000;         // 150 years
inline constexpr int kMostSiblings = 20;

// One vehicle's side: its compulsory insurance, its liability share and its
// commercial third-party limit.
struct Vehicle {
  bool takesPart = false;
  Insurance insurance = Insurance::none;
  bool shareSet = false;
  std::int64_t share = 10'000;  // 责任比例, hundredths of a point
  Fen commercialLimit = 0;
};

struct Facts {
  Date birth, accident, reference;
  bool assessed = false;  // the reference date is 定残日
  bool death = false;     // 案件类型 "死亡"
  int age = 0;            // 周岁 at the reference date
  StandardsRow row;
  int grade = 0;           // 1 for "一" to 10 for "十"; 0 for none
  std::int64_t extra = 0;  // 伤残附加指数, hundredths of a point
  int parentCount = 1;     // 2 under "夫妻"
  std::array<std::int64_t, 2> carerDays{}, carerWage{};  // hundredths of a day, fen
  std::int64_t hospitalDays = 0, lostDays = 0, dailyIncome = 0, lodgingDays = 0;
  std::array<std::int16_t, 6> childYears{};
  std::array<std::int16_t, 4> elderYears{};
  int siblings = 0;
  Fen transport = 0, medical = 0, nutrition = 0, aids = 0, solace = 0;
  // Care after the assessment: the dependency's share in hundredths of a
  // point (0 for none), the years in hundredths, the carer's daily rate.
  std::int64_t laterCareShare = 0, laterCareYears = 0;
  Fen laterCareWage = 0;
  Fen laterTreatment = 0, property = 0, appraisal = 0;
  std::array<Vehicle, 3> vehicles{{{true}, {}, {}}};
  std::array<Fen, 3> others{};  // the other victims' losses, by head (Cover)
  bool summary = false;         // 简易程序 "是": the court fee halved
};

enum class Reading { ok, notANumber, tooLarge };

// The text as a whole number of hundredths: plain digits with at most two
// decimals; tooLarge above most (value is then not meaningful).
// Inline: it reads most of a case's fields, each against a constant most.
[[nodiscard, gnu::always_inline]] inline Reading readHundredths(std::string_view text,
                                                                std::int64_t most,
                                                                std::int64_t& value) {
  // One pass: the whole part's digits, then at most ".d" or ".dd". A whole
  // part too large is only known to be out of range once the rest of the
  // text has been found to be a number.
  const auto digit = [](char c) { return static_cast<unsigned char>(c - '0') < 10; };
  const char* p = text.data();
  const char* const end = p + text.size();
  const char* const wholeStart = p;
  while (p != end && *p == '0') ++p;  // leading zeros are not significant
  const char* const significant = p;
  // Unsigned: past 15 digits it may wrap, but such a text is out of range anyway.
  std::uint64_t whole = 0;
  for (; p != end && digit(*p); ++p) whole = whole * 10 + static_cast<unsigned char>(*p - '0');
  if (p == wholeStart) return Reading::notANumber;
  std::int64_t fraction = 0;
  if (p != end) {
    const auto decimals = end - p - 1;
    if (*p != '.' || decimals < 1 || decimals > 2 || !digit(p[1]) ||
        (decimals == 2 && !digit(p[2]))) {
      return Reading::notANumber;
    }
    fraction = (p[1] - '0') * 10 + (decimals == 2 ? p[2] - '0' : 0);
  }
  if (p - significant > 15 || whole > static_cast<std::uint64_t>(most / 100)) {
    return Reading::tooLarge;
  }
  value = static_cast<std::int64_t>(whole) * 100 + fraction;
  return value > most ? Reading::tooLarge : Reading::ok;
}

// The text as a whole number of hundredths: plain digits with at most two
// decimals, nothing else; nothing for any other text or one above most.
[[nodiscard]] std::optional<std::int64_t> hundredths(std::string_view text, std::int64_t most);

// A date of the calendar (no carrying: 2011-02-30 does not exist).
[[nodiscard]] std::optional<Date> realDate(int year, int month, int day);

// "2011-03-01".
[[nodiscard]] std::string isoText(const Date& date);

// A compulsory insurer's three limits in fen, by head (in Cover's order), by
// the accident date and liability: from 2020-09-19 the reform's, before it
// those from 2008-02-01. All 0 without 交强险.
struct InsuranceLimits {
  std::array<Fen, 3> heads{};
  bool from2020 = false;
};
[[nodiscard]] InsuranceLimits insuranceLimits(const Date& accident, Insurance insurance);

// Whole years from birthday to birthday; a birthday of 29 February falls on
// 1 March in a common year.
[[nodiscard]] int wholeYears(const Date& birth, const Date& on);

// Fills facts (as constructed: the fields not given keep their defaults)
// from the inputs, or says why they are refused.
[[nodiscard]] std::optional<ClaimRefusal> readFacts(const CaseInput& input, const ClaimInput& claim,
                                                    const StandardsTable& standards, Facts& facts);

}  // namespace quorvane::claim::detail
