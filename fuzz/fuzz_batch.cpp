// Any bytes through the batch tool's reader: either CSV output (the header row,
// then whole lines) or one error naming a line, never both, never a crash.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "batch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view csv(reinterpret_cast<const char*>(data), size);
  const auto result = quorvane::batch::run(csv);
  if (const auto* error = std::get_if<quorvane::batch::InputError>(&result)) {
    if (error->line == 0 || error->reason.empty()) std::abort();
    if (error->reason.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const auto& output = std::get<std::string>(result);
  if (!output.starts_with(quorvane::batch::resultHeader()) || output.back() != '\n') std::abort();
  return 0;
}
