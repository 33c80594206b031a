#pragma once

// GB18030 input in pieces of any size, handed on as UTF-8 text in large
// chunks. ASCII is the same in both encodings and is copied as it is; the
// platform's decoder converts only the runs of other characters, and a
// character cut by the end of a piece waits for the next.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "gb18030.h"

namespace quorvane::batch::detail {

class Gb18030Feed {
 public:
  // Takes each chunk of UTF-8; false stops the feed (the reader has failed).
  using Sink = std::function<bool(std::string_view)>;

  explicit Gb18030Feed(Sink sink);

  enum class Result { ok, invalid, stopped };

  // invalid: a byte sequence no character has, with all that came before it
  // already handed on, so that the reader knows the fault's line.
  Result feed(std::string_view bytes);
  // Whether a character was left cut short at the end of the input.
  [[nodiscard]] bool cutShort() const { return !pending_.empty(); }

 private:
  bool decodeRun(std::string_view& run);
  bool flush();

  Sink sink_;
  Gb18030Decoder decoder_;
  std::string decoded_;  // converted, not yet handed on
  std::size_t decodedSize_ = 0;
  std::string pending_;  // the start of a character cut by a piece's end
  bool stopped_ = false;
};

}  // namespace quorvane::batch::detail
