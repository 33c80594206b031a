#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "gb18030.h"

namespace quorvane::batch::detail {
namespace {

const auto kNone = reinterpret_cast<iconv_t>(-1);

}  // namespace

Gb18030Decoder::Gb18030Decoder() : handle_(iconv_open("UTF-8", "GB18030")) {
  if (handle_ == kNone) throw std::runtime_error("this system's iconv cannot read GB18030");
}

Gb18030Decoder::~Gb18030Decoder() {
  iconv_close(handle_);
}

Gb18030Decoder::Result Gb18030Decoder::decode(std::string_view& in, char*& out, std::size_t& room) {
  char* from = const_cast<char*>(in.data());  // iconv never writes its input
  std::size_t left = in.size();
  const std::size_t result = iconv(handle_, &from, &left, &out, &room);
  const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
  in.remove_prefix(in.size() - left);
  if (error == EILSEQ) return Result::invalid;
  if (error == E2BIG) return Result::full;
  return Result::done;  // EINVAL: a character cut short, left in in
}

}  // namespace quorvane::batch::detail
