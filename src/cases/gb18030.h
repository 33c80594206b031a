#pragma once

// GB18030 into UTF-8 by the platform's own decoder: iconv in the native
// builds, the JavaScript engine's TextDecoder in the browser and node builds
// (so that the WebAssembly carries no character tables of its own).

#include <cstddef>
#include <string_view>

namespace quorvane::batch::detail {

class Gb18030Decoder {
 public:
  // Throws std::runtime_error when the platform cannot read GB18030.
  Gb18030Decoder();
  ~Gb18030Decoder();
  Gb18030Decoder(const Gb18030Decoder&) = delete;
  Gb18030Decoder& operator=(const Gb18030Decoder&) = delete;

  enum class Result { done, invalid, full };

  // Converts in to UTF-8 at out, which has room for room bytes; both move on
  // past what was converted. done leaves in holding at most a character cut
  // short by its end; invalid leaves it at a byte sequence no character has,
  // and full at what found no room.
  Result decode(std::string_view& in, char*& out, std::size_t& room);

 private:
  [[maybe_unused]] void* handle_;  // iconv's, in the native builds
};

}  // namespace quorvane::batch::detail
