#pragma once

// Doubles for holding formatAmount to the library's precision-15 rounding:
// every magnitude, the magnitudes amounts have, and the values where a fast
// path could slip (halves at the 15th digit, powers of ten, 10^15, 10^-5 and
// the edges of the exact-arithmetic range).

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace quorvane::testing {

// A value and its neighbours two steps either way.
inline void addWithNeighbours(std::vector<double>& out, double value) {
  double down = value, up = value;
  out.push_back(value);
  for (int k = 0; k < 2; ++k) {
    down = std::nextafter(down, -INFINITY);
    up = std::nextafter(up, INFINITY);
    out.push_back(down);
    out.push_back(up);
  }
}

inline std::vector<double> boundaryAmounts() {
  std::vector<double> out;
  for (int e = -30; e <= 30; ++e) {
    const std::string exponent = "e" + std::to_string(e);
    // Powers of ten, and halves at the 15th digit just above, below and
    // inside each decade.
    for (const char* mantissa : {"1", "1.000000000000005", "9.999999999999995", "1.234567890123455",
                                 "9.999999999999994", "5.000000000000005"}) {
      addWithNeighbours(out, std::strtod((mantissa + exponent).c_str(), nullptr));
    }
  }
  for (double v : {1e15, 1e-5, 999999999999999.5, 99999999999999.95, 1e-8, 1e-9, 1.5e-9, 0x1p50,
                   0x1p52, 0x1p53, 123456789012345.5, 123456789012346.5, 0.5, 0.125}) {
    addWithNeighbours(out, v);
  }
  return out;
}

class AmountSamples {
 public:
  explicit AmountSamples(std::uint64_t seed) : random_(seed) {}

  double next() {
    const double magnitude = unsigned_();
    return (random_() & 1) != 0 ? -magnitude : magnitude;
  }

 private:
  double unsigned_() {
    switch (kind_++ % 6) {
      case 0: {  // any finite bit pattern: every magnitude alike
        for (;;) {
          const std::uint64_t bits = random_() >> 1;
          double v;
          std::memcpy(&v, &bits, sizeof v);
          if (std::isfinite(v)) return v;
        }
      }
      case 1:  // a random mantissa between 10^-10 and 10^17
        return std::ldexp(static_cast<double>(random_() >> 11 | 1ULL << 52),
                          static_cast<int>(random_() % 92) - 86);
      case 2: {  // the double nearest a short decimal
        const auto digits = static_cast<double>(random_() % 1'000'000'000'000'000ULL);
        return digits / std::pow(10.0, static_cast<double>(random_() % 23));
      }
      case 3: {  // an exact half at the 15th digit: a / 2^j with 16 significant digits
        const int j = 1 + static_cast<int>(random_() % 10);
        const double low = std::ldexp(std::pow(10.0, 15 - j), j);
        const auto a =
            static_cast<std::uint64_t>(low) + random_() % static_cast<std::uint64_t>(9 * low);
        return std::ldexp(static_cast<double>(a | 1), -j);
      }
      case 4: {  // near a half at the 15th digit
        const auto digits = 100'000'000'000'000ULL + random_() % 900'000'000'000'000ULL;
        const int k = static_cast<int>(random_() % 30) - 6;
        const std::string text = std::to_string(digits) + "5e" + std::to_string(-k - 1);
        double v = std::strtod(text.c_str(), nullptr);
        const double toward = (random_() & 1) != 0 ? INFINITY : 0.0;
        for (auto steps = random_() % 3; steps > 0; --steps) v = std::nextafter(v, toward);
        return v;
      }
      default:  // a whole number up to 10^17
        return static_cast<double>(random_() % 100'000'000'000'000'000ULL);
    }
  }

  std::mt19937_64 random_;
  unsigned kind_ = 0;
};

}  // namespace quorvane::testing
