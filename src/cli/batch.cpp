#include "batch.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "calc.h"
#include "report.h"

namespace quorvane::batch {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Fields are quoted only when they must be: a comma, a quote or a line end.
void appendField(std::string& out, std::string_view field) {
  const bool plain = std::none_of(field.begin(), field.end(), [](char c) {
    return c == ',' || c == '"' || c == '\r' || c == '\n';
  });
  if (plain) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// A header name as an error message shows it: on one line, control characters
// escaped, a long name cut short.
std::string quotedName(std::string_view name) {
  constexpr std::size_t kLongest = 60;
  std::string shown = "\"";
  bool cut = false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (i >= kLongest && (c & 0xC0u) != 0x80u) {  // cut between characters, never inside one
      cut = true;
      break;
    }
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      shown += "\\x";
      shown += "0123456789abcdef"[c >> 4];
      shown += "0123456789abcdef"[c & 0xF];
    } else {
      shown += static_cast<char>(c);
    }
  }
  if (cut) shown += "…";
  return shown + "\"";
}

bool wellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    unsigned minimum = 0, value = lead;
    if (lead >= 0x80) {
      if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, minimum = 0x80, value = lead & 0x1Fu;
      else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, minimum = 0x800, value = lead & 0x0Fu;
      else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, minimum = 0x10000, value = lead & 0x07u;
      else
        return false;
      if (i + length > text.size()) return false;
      for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0u) != 0x80u) return false;
        value = (value << 6) | (next & 0x3Fu);
      }
      if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    }
    i += length;
  }
  return true;
}

// The length of the first line of text with its line end (LF, CRLF or CR).
std::size_t lineLength(std::string_view text) {
  auto end = std::find_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
  if (end != text.end()) {
    const bool crlf = *end == '\r' && end + 1 != text.end() && end[1] == '\n';
    end += crlf ? 2 : 1;
  }
  return static_cast<std::size_t>(end - text.begin());
}

// Drives libcsv (strict RFC 4180 mode) one input line at a time, so that every
// fault can be named by its line.
class Reader {
 public:
  explicit Reader(const Options& options) : options_(options) {
    csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI);
    // A blank is part of a field: " 2011" must not read as "2011".
    csv_set_space_func(&parser_, [](unsigned char) { return 0; });
    if (!options_.explain) output_ = resultHeader();
  }
  ~Reader() { csv_free(&parser_); }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  std::variant<std::string, InputError> read(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    // Line by line, so that every fault is named by its line. A line end is
    // ASCII, so no UTF-8 character spans two lines.
    while (!text.empty() && !failure_) {
      const auto chunk = text.substr(0, lineLength(text));
      if (!wellFormedUtf8(chunk)) {
        fail(line_, "not UTF-8 text (save the spreadsheet as CSV UTF-8)");
        break;
      }
      if (betweenRows_ && chunk.front() != '\r' && chunk.front() != '\n') {
        rowLine_ = line_;
        betweenRows_ = false;
      }
      if (csv_parse(&parser_, chunk.data(), chunk.size(), onField, onRow, this) != chunk.size() &&
          !failure_) {
        fail(line_,
             "broken quoting: a quote inside an unquoted field, or text after a closing quote");
      }
      text.remove_prefix(chunk.size());
      ++line_;
    }
    if (!failure_ && csv_fini(&parser_, onField, onRow, this) != 0 && !failure_) {
      fail(rowLine_, "a quoted field is not closed before the end of the input");
    }
    if (failure_) return *std::move(failure_);
    return std::move(output_);
  }

 private:
  static void onField(void* data, std::size_t size, void* self) {
    auto& reader = *static_cast<Reader*>(self);
    if (reader.fieldCount_ == reader.fields_.size()) reader.fields_.emplace_back();
    reader.fields_[reader.fieldCount_++].assign(static_cast<const char*>(data), size);
  }

  static void onRow(int, void* self) {
    auto& reader = *static_cast<Reader*>(self);
    if (!reader.failure_) {
      if (!reader.haveHeader_) {
        reader.haveHeader_ = true;
        reader.takeHeader();
      } else {
        reader.takeCase();
      }
    }
    reader.fieldCount_ = 0;
    reader.betweenRows_ = true;
  }

  void takeHeader() {
    std::array<bool, inputFields.size()> named{};
    for (std::size_t i = 0; i < fieldCount_; ++i) {
      const auto& name = fields_[i];
      std::size_t index = 0;
      while (index < inputFields.size() && inputFields[index].name != name) ++index;
      if (index == inputFields.size()) {
        return fail(rowLine_, quotedName(name) + " in the header is not an input field");
      }
      if (named[index]) return fail(rowLine_, quotedName(name) + " stands twice in the header");
      named[index] = true;
      columns_.push_back(inputFields[index].member);
    }
  }

  void takeCase() {
    if (fieldCount_ != columns_.size()) {
      return fail(rowLine_, "the row has " + std::to_string(fieldCount_) +
                                " fields but the header names " + std::to_string(columns_.size()));
    }
    // Fields the header does not name stay empty in every case.
    // Swapped, not copied: the field buffers are reused for the next row.
    for (std::size_t i = 0; i < columns_.size(); ++i) std::swap(current_.*columns_[i], fields_[i]);
    ++cases_;
    if (options_.explain) {
      if (cases_ > 1) output_ += '\n';
      output_ += "==== 案例 " + std::to_string(cases_) + "（输入第 " + std::to_string(rowLine_) +
                 " 行）====\n" +
                 reportText(reportFor(current_, options_.standards), options_.printedDate);
      return;
    }
    const auto outcome = runCalculation(current_, options_.standards);
    if (const auto* stop = std::get_if<CalcStop>(&outcome)) {
      appendField(output_, stop->message);
      output_.append(resultFields.size(), ',');
    } else {
      const auto& done = std::get<CalcCompleted>(outcome);
      appendField(output_, done.notice.value_or(""));
      for (const auto& field : resultFields) {
        output_ += ',';
        appendField(output_, done.result.*field.member);
      }
    }
    output_ += '\n';
  }

  void fail(std::size_t line, std::string reason) {
    if (!failure_) failure_ = InputError{line, std::move(reason)};
  }

  const Options& options_;
  std::size_t cases_ = 0;
  csv_parser parser_{};
  std::vector<std::string> fields_;
  std::size_t fieldCount_ = 0;
  std::vector<std::string CaseInput::*> columns_;
  CaseInput current_;
  std::string output_;
  std::size_t line_ = 1;
  std::size_t rowLine_ = 1;
  bool betweenRows_ = true;
  bool haveHeader_ = false;
  std::optional<InputError> failure_;
};

}  // namespace

std::string resultHeader() {
  std::string header = "提示";
  for (const auto& field : resultFields) {
    header += ',';
    appendField(header, field.name);
  }
  header += '\n';
  return header;
}

std::variant<std::string, InputError> run(std::string_view csv, const Options& options) {
  return Reader(options).read(csv);
}

}  // namespace quorvane::batch
