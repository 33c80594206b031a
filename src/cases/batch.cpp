#include "batch.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "calc.h"
#include "claim_report.h"
#include "claim_rows.h"
#include "csv_text.h"
#include "gb18030_feed.h"
#include "report.h"

namespace quorvane::batch {
namespace {

using csv::appendField;
using csv::asciiPrefix;
using csv::kByteOrderMark;
using csv::lineLength;
using csv::wellFormedUtf8;

// Whether the first line of text, lineLength long, is known to be whole: a CR
// at the very end may yet be followed by the LF of a CRLF.
bool lineComplete(std::string_view text, std::size_t length) {
  return length < text.size() || (length > 0 && text[length - 1] == '\n');
}

constexpr std::string_view kNotUtf8 =
    "not UTF-8 text (save the spreadsheet as CSV UTF-8, or try --encoding gb18030)";
constexpr std::string_view kKeepHint = " (to carry another column through, use --keep)";
constexpr std::string_view kNotGb18030 = "not GB18030 text (a byte sequence no character has)";

// A column of the input: the case field, claim input or complaint input it
// fills, if any, and whether it is carried through to the output.
struct Column {
  std::string CaseInput::*member = nullptr;
  std::string claim::ClaimInput::*claimMember = nullptr;
  std::string complaint::ComplaintInput::*complaintMember = nullptr;
  bool kept = false;
};

// The index of the field of that name, or fields.size().
template <typename Fields>
std::size_t indexOf(const Fields& fields, std::string_view name) {
  std::size_t index = 0;
  while (index < fields.size() && fields[index].name != name) ++index;
  return index;
}

}  // namespace

// Drives libcsv (strict RFC 4180 mode) one input line at a time, so that every
// fault can be named by its line. A line without a quote is split here, which
// is what libcsv would make of it, only faster.
struct Reader::State {
  explicit State(const Options& chosen) : options(chosen) {
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    // A blank is part of a field: " 2011" must not read as "2011".
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    rowEnd = options.excel ? "\r\n" : "\n";
    if (options.encoding == Encoding::gb18030) {
      gb18030.emplace([this](std::string_view text) {
        feedText(text);
        return !failure;
      });
    }
    withClaim = options.claim;
  }

  // The output's header row, once the input's has said whether the claim
  // sheet is wanted; an input without a header row still gets one.
  void writeHeader() {
    if (options.explain || options.onCase || headerWritten) return;
    headerWritten = true;
    // Rows of results run to about 1.5 times their input, nearly 4 times
    // with the claim sheet's 39 amounts.
    if (expectedInput > 0) output.reserve(expectedInput * (withClaim ? 4 : 2) + 4096);
    if (options.excel) output += kByteOrderMark;
    for (const auto& name : options.keep) {
      appendField(output, name);
      output += ',';
    }
    const std::string names = resultHeader(withClaim);
    output.append(names, 0, names.size() - 1);  // its own row end is '\n'
    output += rowEnd;
  }
  ~State() { csv_free(&parser); }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  // UTF-8 text in pieces of any size: whole lines are read where they lie and
  // only a line cut by the end of a piece is copied aside.
  void feedText(std::string_view text) {
    if (!carry.empty()) {
      const bool afterCr = carry.back() == '\r';
      const std::size_t length = afterCr ? (text.starts_with('\n') ? 1 : 0) : lineLength(text);
      const bool complete = afterCr ? !text.empty() : lineComplete(text, length);
      carry.append(text.data(), length);
      text.remove_prefix(length);
      if (!complete) return;
      takeLine(carry);
      carry.clear();
    }
    // Where the next CR and LF lie, each searched for again only once passed.
    const char* const end = text.data() + text.size();
    const char* cr = nullptr;
    const char* lf = nullptr;
    const char* p = text.data();
    while (p != end && !failure) {
      if (cr == nullptr || (cr != end && cr < p)) cr = nextOf(p, end, '\r');
      if (lf == nullptr || (lf != end && lf < p)) lf = nextOf(p, end, '\n');
      const char* lineEnd = std::min(cr, lf);
      if (lineEnd == end || (lineEnd == cr && lineEnd + 1 == end)) {
        carry.assign(p, end);  // cut short, or a CR that may start a CRLF
        return;
      }
      lineEnd += lineEnd == cr && lineEnd[1] == '\n' ? 2 : 1;
      takeLine({p, static_cast<std::size_t>(lineEnd - p)});
      p = lineEnd;
    }
  }

  static const char* nextOf(const char* p, const char* end, char c) {
    const void* found = std::memchr(p, c, static_cast<std::size_t>(end - p));
    return found != nullptr ? static_cast<const char*>(found) : end;
  }

  // GB18030 in pieces of any size, decoded into feedText.
  void feedGb18030(std::string_view bytes) {
    if (gb18030->feed(bytes) == detail::Gb18030Feed::Result::invalid) {
      fail(currentLine(), std::string(kNotGb18030));
    }
  }

  // The line that the next byte of the input falls on.
  std::size_t currentLine() const {
    return line + (!carry.empty() && carry.back() == '\r' ? 1 : 0);
  }

  void takeLine(std::string_view text) {
    if (failure) return;
    if (line == 1 && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    // A line end is ASCII, so no UTF-8 character spans two lines.
    if (!wellFormedUtf8(text)) return fail(line, std::string(kNotUtf8));
    if (betweenRows && !text.empty()) {
      if (text.front() == '\r' || text.front() == '\n') {  // an empty line
        ++line;
        return;
      }
      rowLine = line;
      std::size_t length = text.size();
      if (text[length - 1] == '\n') --length;
      if (length > 0 && text[length - 1] == '\r') --length;
      const std::string_view content = text.substr(0, length);
      if (content.find('"') == std::string_view::npos) {
        splitRow(content);
        ++line;
        return;
      }
      betweenRows = false;
    }
    if (csv_parse(&parser, text.data(), text.size(), onField, onRow, this) != text.size() &&
        !failure) {
      fail(line, "broken quoting: a quote inside an unquoted field, or text after a closing quote");
    }
    ++line;
  }

  void splitRow(std::string_view content) {
    const char* p = content.data();
    const char* const end = p + content.size();
    for (;;) {
      const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
      const char* fieldEnd = comma != nullptr ? static_cast<const char*>(comma) : end;
      takeField(p, static_cast<std::size_t>(fieldEnd - p));
      if (comma == nullptr) break;
      p = fieldEnd + 1;
    }
    endRow();
  }

  std::optional<InputError> finish() {
    if (gb18030 && gb18030->cutShort() && !failure) {
      fail(currentLine(), std::string(kNotGb18030));
    }
    if (!carry.empty() && !failure) takeLine(carry);
    if (!failure && csv_fini(&parser, onField, onRow, this) != 0 && !failure) {
      fail(rowLine, "a quoted field is not closed before the end of the input");
    }
    if (!failure && !haveHeader && !options.keep.empty() && !options.keepIfPresent) {
      fail(1, "--keep " + csv::quoted(options.keep.front()) + ": the input has no header row");
    }
    if (!failure) writeHeader();
    if (!failure && claimRows) claimRows->finish(output);
    return failure;
  }

  static void onField(void* data, std::size_t size, void* self) {
    static_cast<State*>(self)->takeField(static_cast<const char*>(data), size);
  }

  static void onRow(int, void* self) { static_cast<State*>(self)->endRow(); }

  // Case fields are assigned straight into the case, whose strings keep their
  // buffers from row to row.
  void takeField(const char* data, std::size_t size) {
    if (!haveHeader) {
      if (fieldCount == headerNames.size()) headerNames.emplace_back();
      headerNames[fieldCount].assign(data, size);
    } else if (fieldCount < columns.size()) {
      const Column& column = columns[fieldCount];
      if (column.member != nullptr) (current->*column.member).assign(data, size);
      if (column.claimMember != nullptr) (currentClaim->*column.claimMember).assign(data, size);
      if (column.complaintMember != nullptr) {
        (ownComplaint.*column.complaintMember).assign(data, size);
      }
      if (column.kept) keptValues[fieldCount].assign(data, size);
    }
    ++fieldCount;
  }

  void endRow() {
    if (!failure) {
      if (!haveHeader) {
        haveHeader = true;
        takeHeader();
      } else {
        takeCase();
      }
    }
    fieldCount = 0;
    betweenRows = true;
  }

  void takeHeader() {
    std::array<bool, inputFields.size()> named{};
    std::array<bool, claim::claimFields.size()> namedClaim{};
    std::array<bool, complaint::complaintFields.size()> namedComplaint{};
    keptColumns.assign(options.keep.size(), kNone);
    for (std::size_t i = 0; i < fieldCount; ++i) {
      const auto& name = headerNames[i];
      Column column;
      for (std::size_t k = 0; k < options.keep.size(); ++k) {
        if (options.keep[k] != name) continue;
        if (keptColumns[k] != kNone) {
          return fail(rowLine, csv::quoted(name) + " stands twice in the header");
        }
        keptColumns[k] = i;
        column.kept = true;
      }
      const std::size_t index = indexOf(inputFields, name);
      const std::size_t claimIndex = indexOf(claim::claimFields, name);
      const std::size_t complaintIndex = indexOf(complaint::complaintFields, name);
      if (index < inputFields.size()) {
        if (named[index]) return fail(rowLine, csv::quoted(name) + " stands twice in the header");
        named[index] = true;
        column.member = inputFields[index].member;
      } else if (claimIndex < claim::claimFields.size()) {
        if (namedClaim[claimIndex]) {
          return fail(rowLine, csv::quoted(name) + " stands twice in the header");
        }
        namedClaim[claimIndex] = true;
        column.claimMember = claim::claimFields[claimIndex].member;
        withClaim = true;
      } else if (complaintIndex < complaint::complaintFields.size()) {
        // Read, never checked: the results and the sheet are as without it.
        if (namedComplaint[complaintIndex]) {
          return fail(rowLine, csv::quoted(name) + " stands twice in the header");
        }
        namedComplaint[complaintIndex] = true;
        column.complaintMember = complaint::complaintFields[complaintIndex].member;
      } else if (!column.kept) {
        return fail(rowLine, csv::quoted(name) + " in the header is not an input field" +
                                 std::string(kKeepHint));
      }
      columns.push_back(column);
    }
    for (std::size_t k = 0; k < options.keep.size(); ++k) {
      if (keptColumns[k] == kNone && !options.keepIfPresent) {
        return fail(rowLine,
                    "--keep " + csv::quoted(options.keep[k]) + ": the header has no such column");
      }
    }
    keptValues.resize(columns.size());
    writeHeader();
    startClaimRows();
  }

  void takeCase() {
    if (fieldCount != columns.size()) {
      return fail(rowLine, "the row has " + std::to_string(fieldCount) +
                               " fields but the header names " + std::to_string(columns.size()));
    }
    ++cases;
    if (options.onCase) {
      std::vector<std::string> kept;
      for (std::size_t column : keptColumns) {
        kept.push_back(column == kNone ? std::string() : keptValues[column]);
      }
      options.onCase(rowLine, *current, *currentClaim, ownComplaint, kept);
      return;
    }
    if (options.explain) {
      if (cases > 1) output += '\n';
      output += "==== 案例 " + std::to_string(cases) + "（输入第 " + std::to_string(rowLine) +
                " 行）====\n";
      for (std::size_t k = 0; k < options.keep.size(); ++k) {
        output += options.keep[k] + "：" + keptValues[keptColumns[k]] + "\n";
      }
      auto report = reportFor(*current, options.standards);
      if (withClaim) {
        report.sections.push_back(claim::reportSection(
            *currentClaim, claim::computeClaim(*current, *currentClaim, options.standards, true)));
      }
      output += reportText(report, options.printedDate);
      return;
    }
    // With the sheets on a second thread, the row's other columns wait
    // aside for its sheet.
    std::string& out = claimRows ? claimRows->text() : output;
    for (std::size_t column : keptColumns) {
      appendField(out, keptValues[column]);
      out += ',';
    }
    const auto outcome = runCalculation(*current, options.standards);
    if (const auto* stop = std::get_if<CalcStop>(&outcome)) {
      appendField(out, stop->message);
      out.append(resultFields.size(), ',');
    } else {
      const auto& done = std::get<CalcCompleted>(outcome);
      appendField(out, done.notice.value_or(""));
      for (const auto& field : resultFields) {
        out += ',';
        appendField(out, done.result.*field.member);
      }
    }
    if (claimRows) {
      claimRows->endRow(output);
      current = &claimRows->input();
      currentClaim = &claimRows->claim();
      return;
    }
    if (withClaim) {
      detail::appendClaimColumns(output,
                                 claim::computeClaim(*current, *currentClaim, options.standards));
    }
    output += rowEnd;
  }

  // The claim sheets go to a second thread when asked for and one can be
  // had; without one they are worked out here, with the same output.
  void startClaimRows() {
    if (!options.claimThread || !withClaim || options.explain || options.onCase) return;
    try {
      claimRows = std::make_unique<detail::ClaimRows>(options.standards, rowEnd);
    } catch (const std::system_error&) {
      return;
    }
    current = &claimRows->input();
    currentClaim = &claimRows->claim();
  }

  void fail(std::size_t at, std::string reason) {
    if (!failure) failure = InputError{at, std::move(reason)};
  }

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  const Options options;
  std::string_view rowEnd;
  std::size_t cases = 0;
  csv_parser parser{};
  std::optional<detail::Gb18030Feed> gb18030;
  std::string carry;  // the start of a line cut by a piece's end
  std::vector<std::string> headerNames;
  std::size_t fieldCount = 0;
  std::vector<Column> columns;
  std::vector<std::size_t> keptColumns;  // the column of each --keep, in the options' order
  std::vector<std::string> keptValues;   // this row's field of each kept column
  // The row being read: its own here, or a slot of the second thread's.
  CaseInput ownCase;
  claim::ClaimInput ownClaim;
  complaint::ComplaintInput ownComplaint;  // read for onCase alone
  CaseInput* current = &ownCase;
  claim::ClaimInput* currentClaim = &ownClaim;
  std::unique_ptr<detail::ClaimRows> claimRows;
  bool withClaim = false;
  bool headerWritten = false;
  std::size_t expectedInput = 0;
  std::string output;
  std::size_t line = 1;
  std::size_t rowLine = 1;
  bool betweenRows = true;
  bool haveHeader = false;
  std::optional<InputError> failure;
};

Reader::Reader(const Options& options) : state_(std::make_unique<State>(options)) {}
Reader::~Reader() = default;

void Reader::feed(std::string_view bytes) {
  if (state_->failure) return;
  if (state_->options.encoding == Encoding::gb18030) {
    state_->feedGb18030(bytes);
  } else {
    state_->feedText(bytes);
  }
}

std::optional<InputError> Reader::finish() {
  return state_->finish();
}
bool Reader::failed() const {
  return state_->failure.has_value();
}
std::size_t Reader::cases() const {
  return state_->cases;
}
std::string& Reader::output() {
  return state_->output;
}
void Reader::reserveFor(std::size_t inputSize) {
  state_->expectedInput = inputSize;
}

std::variant<std::string, InputError> run(std::string_view csv, const Options& options) {
  Reader reader(options);
  if (!options.explain) reader.reserveFor(csv.size());
  reader.feed(csv);
  if (auto error = reader.finish()) return *std::move(error);
  return std::move(reader.output());
}

}  // namespace quorvane::batch
