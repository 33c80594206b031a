#pragma once

#include <string>

#include "calc.h"

namespace quorvane::testing {

// The window's start-up case: 夫妻, grade 一, born 1988-8-8, accident 2011-11-11.
inline CaseInput startupCase() {
  CaseInput in;
  in.受害人生日年 = "1988";
  in.受害人生日月 = "8";
  in.受害人生日日 = "8";
  in.事故发生日年 = "2011";
  in.事故发生日月 = "11";
  in.事故发生日日 = "11";
  in.夫妻或单亲 = "夫妻";
  in.伤残等级 = "一";
  return in;
}

inline CaseResult completed(const CaseInput& in) {
  auto outcome = runCalculation(in);
  if (auto* done = std::get_if<CalcCompleted>(&outcome)) return done->result;
  ADD_FAILURE() << "run stopped: " << std::get<CalcStop>(outcome).message;
  return {};
}

}  // namespace quorvane::testing
