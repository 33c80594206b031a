#pragma once

// One updating line on a terminal while a long batch runs: cases done, the
// share of the input read and cases per second.

#include <time.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif
#include <unistd.h>

#include <cstddef>
#include <cstdio>

#include "tool.h"

namespace quorvane::cli {

// Under node every standard stream looks like a terminal to the C library, so
// node itself is asked; a pipe or a file then gets no progress line.
inline bool stderrIsTerminal() {
#ifdef __EMSCRIPTEN__
  return EM_ASM_INT({ return process.stderr.isTTY ? 1 : 0; }) == 1;
#else
  return ::isatty(STDERR_FILENO) == 1;
#endif
}

// One updating line on a terminal: cases done, share read, cases per second.
// It waits a second before showing and then changes four times a second.
class Progress {
 public:
  explicit Progress(std::size_t inputSize)
      : enabled_(stderrIsTerminal()), inputSize_(inputSize), start_(now()), next_(start_ + 1.0) {}

  void update(std::size_t cases, std::size_t bytesRead) {
    if (!enabled_) return;
    const double t = now();
    if (t < next_) return;
    next_ = t + 0.25;
    char text[160];
    const double rate = static_cast<double>(cases) / (t - start_);
    if (inputSize_ > 0) {
      std::snprintf(text, sizeof text, "\r%s: %zu cases, %.0f%% read, %.0f cases/s\33[K",
                    kProgram.data(), cases,
                    100.0 * static_cast<double>(bytesRead) / static_cast<double>(inputSize_), rate);
    } else {
      std::snprintf(text, sizeof text, "\r%s: %zu cases, %.1f MB read, %.0f cases/s\33[K",
                    kProgram.data(), cases, static_cast<double>(bytesRead) / 1e6, rate);
    }
    std::fputs(text, stderr);
    std::fflush(stderr);
    shown_ = true;
    progressShown = 1;
  }

  void clear() {
    if (!shown_) return;
    std::fputs(kClearLine, stderr);
    std::fflush(stderr);
    shown_ = false;
    progressShown = 0;
  }

 private:
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }

  bool enabled_ = false;
  bool shown_ = false;
  std::size_t inputSize_;
  double start_;
  double next_;
};

}  // namespace quorvane::cli
