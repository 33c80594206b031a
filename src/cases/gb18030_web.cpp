// The browser and node builds decode with TextDecoder("gb18030"), which every
// browser the page supports and node have, instead of carrying iconv's tables.

#include <emscripten/emscripten.h>

#include <stdexcept>

#include "gb18030.h"

namespace {

// The bodies are JavaScript.
// clang-format off

// Whether this JavaScript engine has the decoder; kept, with an encoder back
// to UTF-8, for the calls to come.
EM_JS(int, quorvaneGb18030Open, (), {
  try {
    if (!Module.quorvaneGb18030) {
      Module.quorvaneGb18030 = new TextDecoder("gb18030", {fatal: true, ignoreBOM: true});
      Module.quorvaneUtf8 = new TextEncoder();
    }
    return 1;
  } catch (e) {
    return 0;
  }
});

// Decodes the whole characters at the start of the size bytes at from (a lead
// byte, then a digit for four bytes or any byte for two) into UTF-8 at to.
// sizes[0] becomes the bytes read and sizes[1] those written. Returns 0 when
// done, 1 at an invalid sequence, 2 when to has too little room. A character
// starts with 0x81 to 0xFE: TextDecoder's 0x80 for the euro sign is the web's
// own, and refused here as iconv refuses it.
EM_JS(int, quorvaneGb18030Decode, (const char* from, int size, char* to, int room, int* sizes), {
  const decoder = Module.quorvaneGb18030;
  const bytes = HEAPU8.subarray(from, from + size);
  const ends = [];
  let end = 0;
  let bad = false;
  while (end < size) {
    const lead = bytes[end];
    if (lead < 0x80) {
      ++end;
    } else if (lead === 0x80 || lead === 0xff) {
      bad = true;
      break;
    } else if (end + 1 >= size) {
      break;
    } else {
      const length = bytes[end + 1] >= 0x30 && bytes[end + 1] <= 0x39 ? 4 : 2;
      if (end + length > size) break;
      end += length;
    }
    ends.push(end);
  }
  let text;
  try {
    text = decoder.decode(bytes.subarray(0, end));
  } catch (e) {
    // Character by character, to hand on what came before the fault.
    bad = true;
    let good = 0;
    for (const next of ends) {
      try {
        decoder.decode(bytes.subarray(good, next));
      } catch (e) {
        break;
      }
      good = next;
    }
    end = good;
    text = decoder.decode(bytes.subarray(0, end));
  }
  // A run never outgrows the room the reader keeps; should it, none is read.
  const written = Module.quorvaneUtf8.encodeInto(text, HEAPU8.subarray(to, to + room));
  if (written.read < text.length) {
    HEAP32[sizes >> 2] = 0;
    HEAP32[(sizes >> 2) + 1] = 0;
    return 2;
  }
  HEAP32[sizes >> 2] = end;
  HEAP32[(sizes >> 2) + 1] = written.written;
  return bad ? 1 : 0;
});

// clang-format on

}  // namespace

namespace quorvane::batch::detail {

Gb18030Decoder::Gb18030Decoder() : handle_(nullptr) {
  if (quorvaneGb18030Open() == 0) {
    throw std::runtime_error("this JavaScript engine's TextDecoder cannot read GB18030");
  }
}

Gb18030Decoder::~Gb18030Decoder() = default;

Gb18030Decoder::Result Gb18030Decoder::decode(std::string_view& in, char*& out, std::size_t& room) {
  int sizes[2] = {0, 0};
  const int result = quorvaneGb18030Decode(in.data(), static_cast<int>(in.size()), out,
                                           static_cast<int>(room), sizes);
  in.remove_prefix(static_cast<std::size_t>(sizes[0]));
  out += sizes[1];
  room -= static_cast<std::size_t>(sizes[1]);
  if (result == 1) return Result::invalid;
  if (result == 2) return Result::full;
  return Result::done;
}

}  // namespace quorvane::batch::detail
