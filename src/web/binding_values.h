#pragma once

// What the engine's bindings share: the page's arrays of texts as the
// engine's inputs (in the order of their fields), bytes both ways, and the
// standards the editor keeps.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <string>
#include <variant>

#include "calc.h"
#include "claim.h"
#include "complaint.h"
#include "standards_file.h"

namespace quorvane::web {

using emscripten::val;

inline val names(const auto& fields) {
  val out = val::array();
  for (const auto& field : fields) out.call<void>("push", std::string(field.name));
  return out;
}

// A file's bytes as they are, from a Uint8Array: text that is not UTF-8 is
// refused as the programs refuse it.
inline std::string bytesOf(const val& fileBytes) {
  const auto bytes = emscripten::convertJSArrayToNumberVector<unsigned char>(fileBytes);
  return {bytes.begin(), bytes.end()};
}

// A record's texts from the page's array, in the order of its fields.
template <class Record, std::size_t N>
Record recordOf(const val& texts, const std::array<NamedField<Record>, N>& fields) {
  const auto values = emscripten::vecFromJSArray<std::string>(texts);
  Record record;
  for (std::size_t i = 0; i < N && i < values.size(); ++i) record.*fields[i].member = values[i];
  return record;
}

// The window's, the claim sheet's and the complaint's inputs.
inline CaseInput caseInput(const val& texts) {
  return recordOf(texts, inputFields);
}
inline claim::ClaimInput claimInput(const val& texts) {
  return recordOf(texts, claim::claimFields);
}
inline complaint::ComplaintInput complaintInput(const val& texts) {
  return recordOf(texts, complaint::complaintFields);
}

// Bytes for the page as a Uint8Array of their own: a string would lose what
// is not text on its way.
inline val bytesVal(const std::string& bytes) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(bytes.size(),
                                          reinterpret_cast<const unsigned char*>(bytes.data())));
}

// The standards a run goes by: the built-in rows with those of the standards
// file the editor keeps, as its text; a text the reader refuses adds none.
inline StandardsTable standardsTable(const std::string& fileText) {
  if (fileText.empty()) return {};
  auto read = standards::readStandardsFile(fileText);
  if (auto* table = std::get_if<StandardsTable>(&read)) return std::move(*table);
  return {};
}

}  // namespace quorvane::web
