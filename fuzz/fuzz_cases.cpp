// Any bytes through the case-file reader: either the cases it holds, which
// the writer writes to files that read back to the same fields, or one error
// on one line; never a crash.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "case_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace cases = quorvane::cases;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto read = cases::readCaseFile(bytes);
  if (const auto* error = std::get_if<quorvane::batch::InputError>(&read)) {
    if (error->reason.empty() || error->reason.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const auto& entries = std::get<std::vector<cases::CaseEntry>>(read);
  if (entries.empty()) std::abort();
  // The first and the last case: a file of many rows reads each alike.
  for (const auto* at : {&entries.front(), &entries.back()}) {
    const auto& entry = *at;
    const auto again = cases::readCaseFile(cases::caseFileText(entry.input));
    const auto* written = std::get_if<std::vector<cases::CaseEntry>>(&again);
    if (written == nullptr || written->size() != 1) std::abort();
    for (const auto& field : quorvane::inputFields) {
      if (written->front().input.*field.member != entry.input.*field.member) std::abort();
    }
  }
  return 0;
}
