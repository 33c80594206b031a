// Speed of the engine on one fully filled case, and of the batch tool's core on
// 100,000 generated cases (read, calculate, write).

#include <benchmark/benchmark.h>

#include <string>

#include "batch.h"
#include "calc.h"

namespace {

quorvane::CaseInput filledCase() {
  quorvane::CaseInput in;
  in.受害人生日年 = "1950";
  in.受害人生日月 = "1";
  in.受害人生日日 = "10";
  in.事故发生日年 = "2012";
  in.事故发生日月 = "11";
  in.事故发生日日 = "11";
  in.夫妻或单亲 = "夫妻";
  in.伤残等级 = "二";
  in.人员1的护理天数 = "30";
  in.护理人员1的工资 = "80.1";
  in.人员2的护理天数 = "15";
  in.护理人员2的工资 = "33.33";
  in.住院天数 = "7.5";
  in.误工天数 = "90";
  in.最近三年日平均收入 = "120.33";
  in.住宿天数 = "3";
  for (auto* age :
       {&in.孩子1年龄, &in.孩子2年龄, &in.孩子3年龄, &in.孩子4年龄, &in.孩子5年龄, &in.孩子6年龄}) {
    *age = "3.5";
  }
  for (auto* age : {&in.老人1年龄, &in.老人2年龄, &in.老人3年龄, &in.老人4年龄}) *age = "65";
  in.兄弟姐妹人数 = "2";
  in.交通费 = "1200";
  in.医疗费 = "35000.5";
  in.营养费 = "600";
  in.残疾辅助器具 = "2000.50";
  return in;
}

void runCalculationFilled(benchmark::State& state) {
  const auto in = filledCase();
  for (auto _ : state) benchmark::DoNotOptimize(quorvane::runCalculation(in));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(runCalculationFilled);

// The same case by a standards file's row: the example file's six years, the
// case's year the last of them, so that the look-up passes every row.
void runCalculationFilledFileRow(benchmark::State& state) {
  quorvane::StandardsTable table;
  for (const char* year : {"2013", "2014", "2016", "2018", "2023", "2024"}) {
    table.add(year, {32903, 21984, 50, 50}, "统计公报");
  }
  auto in = filledCase();
  in.事故发生日年 = "2024";
  for (auto _ : state) benchmark::DoNotOptimize(quorvane::runCalculation(in, table));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(runCalculationFilledFileRow);

std::string generatedCsv(int cases) {
  std::string csv;
  for (const auto& field : quorvane::inputFields) {
    if (!csv.empty()) csv += ',';
    csv += field.name;
  }
  csv += '\n';
  const auto in = filledCase();
  for (int k = 0; k < cases; ++k) {
    // Vary the birth day and the days so that no two rows are the same.
    std::string row;
    for (const auto& field : quorvane::inputFields) {
      if (!row.empty()) row += ',';
      if (field.member == &quorvane::CaseInput::受害人生日日) {
        row += std::to_string(1 + k % 31);
      } else if (field.member == &quorvane::CaseInput::住院天数) {
        row += std::to_string(k % 400) + ".5";
      } else {
        row += in.*field.member;
      }
    }
    csv += row + '\n';
  }
  return csv;
}

void batch100k(benchmark::State& state) {
  const auto csv = generatedCsv(100'000);
  for (auto _ : state) benchmark::DoNotOptimize(quorvane::batch::run(csv));
  state.SetItemsProcessed(state.iterations() * 100'000);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(csv.size()));
}
BENCHMARK(batch100k)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same cases with the claim sheet computed and written beside the 22
// results: on a second thread as the batch tool does (real time), and on one.
void batch100kClaim(benchmark::State& state) {
  const auto csv = generatedCsv(100'000);
  quorvane::batch::Options options;
  options.claim = true;
  options.claimThread = state.range(0) != 0;
  for (auto _ : state) benchmark::DoNotOptimize(quorvane::batch::run(csv, options));
  state.SetItemsProcessed(state.iterations() * 100'000);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(csv.size()));
}
BENCHMARK(batch100kClaim)
    ->ArgName("thread")
    ->Arg(1)
    ->Arg(0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void formatAmountMixed(benchmark::State& state) {
  const double values[] = {523313.9861369133, 240.29999999999998, 375, 1e15, 0.333333333333333};
  for (auto _ : state) {
    for (double v : values) benchmark::DoNotOptimize(quorvane::formatAmount(v));
  }
  state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(formatAmountMixed);

}  // namespace

namespace {

void numberValueMixed(benchmark::State& state) {
  const std::string_view texts[] = {"523313.986136913", "240.3", "0", "", "2011", "3天", "1,500"};
  for (auto _ : state) {
    for (auto text : texts) benchmark::DoNotOptimize(quorvane::numberValue(text));
  }
  state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(numberValueMixed);

void runCalculationWithWorking(benchmark::State& state) {
  const auto in = filledCase();
  for (auto _ : state) {
    quorvane::CaseWorking working;
    benchmark::DoNotOptimize(quorvane::runCalculation(in, &working));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(runCalculationWithWorking);

}  // namespace
