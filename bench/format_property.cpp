// The long run of formatAmount's property test: its shortcuts against the
// library's precision-15 rounding on 100 million doubles (or the count given)
// plus the boundary values. Too long for every CI run; run it by hand after a
// change to the formatting:
//   build/release/bench/format_property [count]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "amount_samples.h"
#include "numbers.h"

int main(int argc, char** argv) {
  const long long count = argc > 1 ? std::atoll(argv[1]) : 100'000'000;
  const auto start = std::chrono::steady_clock::now();
  long long checked = 0, differ = 0;
  const auto check = [&](double value) {
    ++checked;
    const std::string fast = quorvane::formatAmount(value);
    const std::string library = quorvane::detail::formatAmountByLibrary(value);
    if (fast != library && ++differ <= 10) {
      std::printf("%a: %s, library %s\n", value, fast.c_str(), library.c_str());
    }
  };
  for (double value : quorvane::testing::boundaryAmounts()) check(value);
  quorvane::testing::AmountSamples samples(20261210);
  for (long long k = 0; k < count; ++k) check(samples.next());
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%lld doubles checked, %lld differ (%.0f s)\n", checked, differ, took.count());
  return differ == 0 ? 0 : 1;
}
