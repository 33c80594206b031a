// Any bytes through the batch tool's reader: either CSV output (the header row,
// then whole lines) or one error naming a line, never both, never a crash.
// The first two bytes choose the options (the encoding, kept columns, Excel
// output) and the size of the pieces the rest is fed in; in pieces or whole,
// the outcome is the same.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "batch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned choice = data[0];
  const std::size_t piece = 1 + data[1];
  const std::string_view csv(reinterpret_cast<const char*>(data + 2), size - 2);

  quorvane::batch::Options options;
  if (choice & 1u) options.encoding = quorvane::batch::Encoding::gb18030;
  if (choice & 2u) options.keep = {"案号", "医疗费"};
  if (choice & 4u) options.keep.push_back("案号");
  options.excel = (choice & 8u) != 0;
  const std::string_view rowEnd = options.excel ? "\r\n" : "\n";

  const auto result = quorvane::batch::run(csv, options);
  quorvane::batch::Reader reader(options);
  for (std::size_t at = 0; at < csv.size(); at += piece) reader.feed(csv.substr(at, piece));
  const auto pieceError = reader.finish();

  if (const auto* error = std::get_if<quorvane::batch::InputError>(&result)) {
    if (error->line == 0 || error->reason.empty()) std::abort();
    if (error->reason.find('\n') != std::string::npos) std::abort();
    if (!pieceError || pieceError->line != error->line || pieceError->reason != error->reason) {
      std::abort();
    }
    return 0;
  }
  const auto& output = std::get<std::string>(result);
  if (pieceError || reader.output() != output) std::abort();
  std::string header = options.excel ? "\xEF\xBB\xBF" : "";
  for (const auto& name : options.keep) header += name + ",";
  header += quorvane::batch::resultHeader();
  if (options.excel) header.insert(header.size() - 1, "\r");
  if (!output.starts_with(header) || !output.ends_with(rowEnd)) std::abort();
  return 0;
}
