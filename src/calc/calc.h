#pragma once

// Quorvane's compensation engine.
//
// A case arrives as the texts the user typed or picked (CaseInput, case.h);
// runCalculation either stops with one message or returns the 22 result texts
// (CaseResult) with an optional notice. The items are computed in a fixed order
// and each is fixed as its text (numbers.h) before the totals add those texts
// read back, so a figure here is always the sum of the figures the user sees.
// Everything is a pure function of its arguments: no state, no I/O, no Qt.
// Asked for it, a run also writes each amount's working (CaseWorking): the
// formula in words with the figures the run used, written by the code that
// computes the amount; asked for nothing, it does none of that work.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "case.h"
#include "numbers.h"

namespace quorvane {

// How a step of a run ended; anything but ok stops the run with messageFor().
enum class Status { ok, birthDateIncomplete, accidentDateIncomplete, siblingsMinusOne, outOfRange };

[[nodiscard]] std::string_view messageFor(Status status);

struct CalcStop {
  std::string message;
  std::optional<std::string> notice;  // "请升级" when it was raised before the stop
};

struct CalcCompleted {
  CaseResult result;
  std::optional<std::string> notice;  // "请升级" for an accident year without standards
};

using RunOutcome = std::variant<CalcStop, CalcCompleted>;

// The working of each amount, in Chinese, under the name of the amount it
// explains (the same 22 fields as CaseResult).
using CaseWorking = CaseResult;

// With working, a completed run also fills it; a stopped run leaves it empty.
// Without a table, a run goes by the built-in standards alone.
[[nodiscard]] RunOutcome runCalculation(const CaseInput& input, CaseWorking* working = nullptr);
[[nodiscard]] RunOutcome runCalculation(const CaseInput& input, const StandardsTable& standards,
                                        CaseWorking* working = nullptr);

// The per-run factors.
[[nodiscard]] std::optional<Standards> standardsFor(std::string_view accidentYear,
                                                    const StandardsTable& table = {});
[[nodiscard]] int parentCount(std::string_view coupleOrSingle);
[[nodiscard]] float gradeCoefficient(std::string_view grade);

// The steps below name the standards row in their working as standardsName
// ("2011年标准"); runCalculation hands it in.

// Disability compensation. Dates carry like a calendar: day 30 of February is
// early March, month 13 is January of the next year.
[[nodiscard]] std::int64_t dayNumber(int year, int month, int day);
// Whole blocks of 365 days from birth to accident, toward zero.
[[nodiscard]] std::int64_t ageAtAccident(std::int64_t birthDay, std::int64_t accidentDay);
// Whole years from birthday to birthday (周岁), as the law counts age; the
// compensation goes by ageAtAccident all the same, and the working notes where
// the two ages give different years.
[[nodiscard]] std::int64_t calendarAge(std::int64_t birthDay, std::int64_t accidentDay);
// 5 to 20 years; only meaningful for an age above 0.
[[nodiscard]] int compensationYears(std::int64_t age);
Status computeDisabilityCompensation(const CaseInput& input, std::int32_t urbanDisposableIncome,
                                     float gradeCoefficient, CaseResult& result,
                                     CaseWorking* working = nullptr,
                                     std::string_view standardsName = {});

// Dependants' support.
[[nodiscard]] std::int16_t childSupportYears(std::string_view ageText);
[[nodiscard]] std::int16_t elderSupportYears(std::string_view ageText);
[[nodiscard]] double dependantAmount(std::int16_t years, double divisor, float gradeCoefficient,
                                     std::int32_t supportBase);
Status computeDependantsSupport(const CaseInput& input, std::int32_t supportBase, int parentCount,
                                float gradeCoefficient, CaseResult& result,
                                CaseWorking* working = nullptr,
                                std::string_view standardsName = {});

// Itemised expenses and the grand total.
Status computeExpenseItems(const CaseInput& input, const Standards& standards, CaseResult& result,
                           CaseWorking* working = nullptr, std::string_view standardsName = {});
Status passThroughCosts(const CaseInput& input, CaseResult& result, CaseWorking* working = nullptr);
Status computeGrandTotal(CaseResult& result, CaseWorking* working = nullptr);

}  // namespace quorvane
