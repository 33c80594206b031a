// Any bytes through the standards file reader: a table whose added rows all
// read back through the same reader from its own listing, or one error naming
// a line, with reasons on one line; never a crash.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "standards_file.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = standards::readStandardsFile(text);
  if (const auto* error = std::get_if<standards::FileError>(&read)) {
    if (error->line == 0 || error->reason.empty() || error->reasonChinese.empty()) std::abort();
    if (error->reason.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const auto& table = std::get<StandardsTable>(read);
  // The listing without its two built-in rows is a file that gives the same table.
  std::string listing = standards::standardsCsv(table);
  std::string file = listing.substr(0, listing.find('\n') + 1);
  std::size_t start = 0;
  for (int line = 0; line < 3; ++line) start = listing.find('\n', start) + 1;
  file += listing.substr(start);
  const auto again = standards::readStandardsFile(file);
  if (!std::holds_alternative<StandardsTable>(again)) std::abort();
  if (standards::standardsCsv(std::get<StandardsTable>(again)) != listing) std::abort();
  return 0;
}
