#pragma once

// The batch tool's core: a CSV of cases (one input field per column, named by
// its control name in the header row) becomes a CSV of results (the notice or
// stop message, then the 22 result texts), through the same engine as the
// window. The whole input is checked before any output is produced, so a
// spreadsheet is either fully answered or refused with the line at fault.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "calc.h"

namespace quorvane::batch {

struct InputError {
  std::size_t line;  // 1-based line of the input where the fault lies
  std::string reason;
};

struct Options {
  // Instead of CSV, a readable report per case: the inputs, the standards and
  // each amount with its working, dated printedDate.
  bool explain = false;
  std::string printedDate;
  // The standards the cases go by: the built-in rows and a standards file's.
  StandardsTable standards;
};

// The output for a whole input CSV, or the first fault that keeps it from
// being read. A leading byte-order mark, LF, CRLF or CR line ends and quoted
// fields are accepted; empty lines are skipped.
[[nodiscard]] std::variant<std::string, InputError> run(std::string_view csv,
                                                        const Options& options = {});

// The output's header row: 提示 and the 22 result names.
[[nodiscard]] std::string resultHeader();

}  // namespace quorvane::batch
