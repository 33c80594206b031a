#pragma once

// The results on their way to FILE (-o): a temporary file beside it, renamed
// over it once everything has succeeded and removed otherwise, by an
// interrupt too.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::cli {

class OutputFile {
 public:
  explicit OutputFile(std::string path) : path_(std::move(path)) {}
  ~OutputFile() { discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // The error text, or nothing.
  std::optional<std::string> open();
  bool write(std::string_view text);
  std::optional<std::string> commit();
  void discard();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

}  // namespace quorvane::cli
