#include "gb18030_feed.h"

#include <algorithm>
#include <cstring>

#include "csv_text.h"

namespace quorvane::batch::detail {
namespace {

// The length of a GB18030 character from its first bytes: four when the
// second byte is a digit, else two. Only a guide to where a run of non-ASCII
// characters ends; the decoder judges whether the bytes are valid.
std::size_t gb18030RunLength(std::string_view text, std::size_t longest) {
  std::size_t i = 0;
  while (i < text.size() && i < longest && static_cast<unsigned char>(text[i]) >= 0x80) {
    const bool four = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9';
    i += four ? 4 : 2;
  }
  return std::min(i, text.size());
}

}  // namespace

Gb18030Feed::Gb18030Feed(Sink sink) : sink_(std::move(sink)) {
  decoded_.resize(1 << 16);
}

Gb18030Feed::Result Gb18030Feed::feed(std::string_view bytes) {
  while (!pending_.empty() && !bytes.empty() && !stopped_) {
    // A character cut by the end of the last piece: complete it byte by byte.
    pending_ += bytes.front();
    bytes.remove_prefix(1);
    std::string_view run = pending_;
    if (!decodeRun(run)) return stopped_ ? Result::stopped : Result::invalid;
    if (run.empty()) {
      pending_.clear();
    } else if (run.size() != pending_.size()) {
      pending_.erase(0, pending_.size() - run.size());
    }
    if (pending_.size() >= 4) return flush() ? Result::invalid : Result::stopped;
  }
  while (!bytes.empty() && !stopped_) {
    const std::size_t ascii = std::min(csv::asciiPrefix(bytes), decoded_.size() - decodedSize_);
    std::memcpy(decoded_.data() + decodedSize_, bytes.data(), ascii);
    decodedSize_ += ascii;
    bytes.remove_prefix(ascii);
    if (decodedSize_ == decoded_.size()) flush();
    if (bytes.empty() || static_cast<unsigned char>(bytes.front()) < 0x80) continue;
    // Each two GB18030 bytes become at most three UTF-8 bytes.
    if (decoded_.size() - decodedSize_ < 4096 * 2) flush();
    const std::size_t length = gb18030RunLength(bytes, 4096);
    std::string_view run = bytes.substr(0, length);
    if (!decodeRun(run)) return stopped_ ? Result::stopped : Result::invalid;
    bytes.remove_prefix(length - run.size());
    if (!run.empty()) {
      // What came before is handed on first, so that the fault's line is known.
      if (run.size() != bytes.size()) return flush() ? Result::invalid : Result::stopped;
      pending_.assign(run);  // cut by the end of this piece
      break;
    }
  }
  if (!stopped_) flush();
  return stopped_ ? Result::stopped : Result::ok;
}

// Converts run into decoded_; run keeps what is left, an incomplete
// character. False for an invalid byte sequence (with what came before it
// handed on).
bool Gb18030Feed::decodeRun(std::string_view& run) {
  char* out = decoded_.data() + decodedSize_;
  std::size_t outLeft = decoded_.size() - decodedSize_;
  const auto result = decoder_.decode(run, out, outLeft);
  decodedSize_ = decoded_.size() - outLeft;
  if (result != Gb18030Decoder::Result::done) {
    flush();
    return false;
  }
  return true;
}

bool Gb18030Feed::flush() {
  if (!stopped_ && !sink_({decoded_.data(), decodedSize_})) stopped_ = true;
  decodedSize_ = 0;
  return !stopped_;
}

}  // namespace quorvane::batch::detail
