#pragma once

// What the parts of quorvane-calc share: its name in messages, how a fault
// is reported, and the state its interrupt handler reads. The tool is one
// program in a few files: the command line and the run (main.cpp), the help
// and the fault messages (usage.cpp), the output file written atomically
// (output_file.cpp) and the progress line on a terminal (progress.h).

#include <csignal>
#include <string_view>

namespace quorvane::cli {

inline constexpr std::string_view kProgram = "quorvane-calc";
inline constexpr char kClearLine[] = "\r\33[K";

// Set while the progress line shows, so that an interrupt clears it.
extern volatile std::sig_atomic_t progressShown;

// "quorvane-calc: WHERE: REASON" on standard error; returns the exit status 2.
int fail(std::string_view where, std::string_view reason);

void printUsage();

}  // namespace quorvane::cli
