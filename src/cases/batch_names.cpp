// The names a batch run goes by: the output's header row and the input
// encodings' names.

#include <cctype>

#include "batch.h"
#include "claim.h"
#include "csv_text.h"

namespace quorvane::batch {
namespace {

// 提示 and the 22 result names, as the output's header row has them, and the
// claim sheet's columns after them.
void appendResultNames(std::string& out, bool claim) {
  out += "提示";
  for (const auto& field : resultFields) {
    out += ',';
    csv::appendField(out, field.name);
  }
  if (!claim) return;
  for (const auto& name : claim::columnNames()) {
    out += ',';
    csv::appendField(out, name);
  }
}

}  // namespace

std::optional<Encoding> encodingNamed(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "utf-8" || lower == "utf8") return Encoding::utf8;
  if (lower == "gb18030" || lower == "gbk" || lower == "gb2312") return Encoding::gb18030;
  return std::nullopt;
}

std::string resultHeader(bool claim) {
  std::string header;
  appendResultNames(header, claim);
  header += '\n';
  return header;
}

}  // namespace quorvane::batch
