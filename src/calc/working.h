#pragma once

// Pieces of the working texts: how a figure the run used is written in them.

#include <optional>
#include <string>
#include <string_view>

#include "calc.h"

namespace quorvane::detail {

// A number as the run used it: its amount text, and when the user typed it
// otherwise, what was typed ("3（录入“3天”）").
std::string figure(std::string_view typed);

// The grade coefficient as people know it ("0.9"), and as the run held it
// (the exact single-precision value, "0.89999997615814208984375").
std::string nominalCoefficient(float coefficient);
std::string exactCoefficient(float coefficient);

// A grade for the working: "二级", or the text that is not a grade.
std::string gradeName(std::string_view grade);

// A date as the carrying rule reads it: "1988年8月8日", with the carried day
// when the parts overflow ("2011年2月30日（即2011年3月2日）").
std::string dateText(int year, int month, int day);

// The row of standards used, or why none were: "2011年标准", a file's
// "2013年标准（标准文件，来源：…）", or the year that has no row.
std::string standardsName(const std::optional<StandardsRow>& row, std::string_view accidentYear);

// The name a step hands in, or for a step called on its own, the built-in row's.
std::string standardsNameOr(std::string_view given, std::string_view accidentYear);

}  // namespace quorvane::detail
