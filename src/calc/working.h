#pragma once

// Pieces of the working texts: how a figure the run used is written in them.

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

// The year of the standards used, or why none were.
std::string standardsYear(std::string_view accidentYear);

}  // namespace quorvane::detail
