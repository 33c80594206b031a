#pragma once

// The batch tool's core: a CSV of cases (one input field per column, named by
// its control name in the header row) becomes a CSV of results (the notice or
// stop message, then the 22 result texts, then, when asked for, the claim
// sheet's columns), through the same engines as the window. The complaint's
// inputs (complaint.h) are read as columns of the case but change no result:
// they are only handed on to onCase. A fault anywhere in the input refuses
// it with the line at fault; the caller decides what becomes of output already produced
// (quorvane-calc writes nothing to standard output and leaves an -o file untouched).

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc.h"
#include "claim.h"
#include "complaint.h"

namespace quorvane::batch {

struct InputError {
  std::size_t line;  // 1-based line of the input where the fault lies
  std::string reason;
};

enum class Encoding { utf8, gb18030 };

// "utf-8" (also "utf8"), or "gb18030" with its subsets "gbk" and "gb2312", in
// any case; nothing for any other name.
[[nodiscard]] std::optional<Encoding> encodingNamed(std::string_view name);
inline constexpr std::string_view kEncodingNames = "utf-8, gb18030 (also gbk, gb2312)";

struct Options {
  // Instead of CSV, a readable report per case: the inputs, the standards and
  // each amount with its working, dated printedDate.
  bool explain = false;
  std::string printedDate;
  // The standards the cases go by: the built-in rows and a standards file's.
  StandardsTable standards;
  // The input's encoding; the output is always UTF-8.
  Encoding encoding = Encoding::utf8;
  // Columns copied as read into the output ahead of 提示, in this order.
  std::vector<std::string> keep;
  // A byte-order mark and CRLF row ends, as Excel expects.
  bool excel = false;
  // With keepIfPresent, a kept column the header lacks is no fault: its
  // value is empty.
  bool keepIfPresent = false;
  // The claim sheet's columns after the 22 results (and its section in
  // --explain), even when the header names no claim input; a header that
  // names one turns them on by itself.
  bool claim = false;
  // The claim sheets worked out on a second thread while the rows are read:
  // the same output, sooner on a machine with two cores.
  bool claimThread = false;
  // When set, each case read is handed here (its first line, its fields, its
  // claim and complaint inputs, the kept columns' values in keep's order)
  // instead of being computed; nothing is written to the output.
  std::function<void(std::size_t line, const CaseInput& input, const claim::ClaimInput& claim,
                     const complaint::ComplaintInput& complaint,
                     const std::vector<std::string>& kept)>
      onCase;
};

// Reads an input in pieces of any size (as they come from a file or a pipe)
// and produces the output as it goes. A leading byte-order mark, LF, CRLF or
// CR line ends and quoted fields are accepted; empty lines are skipped.
class Reader {
 public:
  explicit Reader(const Options& options);
  ~Reader();
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // The next piece of the input, in the options' encoding. Does nothing once
  // the input has been refused.
  void feed(std::string_view bytes);
  // The end of the input: the first fault found, if any.
  [[nodiscard]] std::optional<InputError> finish();

  [[nodiscard]] bool failed() const;
  [[nodiscard]] std::size_t cases() const;
  // The output produced so far; the caller may write it out and clear it.
  [[nodiscard]] std::string& output();
  // Room for all the output of an input of this many bytes, taken once the
  // input's header has said whether the claim sheet is wanted (it doubles
  // the output), so a whole batch is never copied to a larger buffer.
  void reserveFor(std::size_t inputSize);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The output for a whole input CSV, or the first fault that keeps it from
// being read.
[[nodiscard]] std::variant<std::string, InputError> run(std::string_view csv,
                                                        const Options& options = {});

// The output's header row: 提示 and the 22 result names, then with the claim
// sheet its columns.
[[nodiscard]] std::string resultHeader(bool claim = false);

}  // namespace quorvane::batch
