#include "case_file.h"

#include <algorithm>

#include "csv_text.h"

namespace quorvane::cases {
namespace {

constexpr std::array<std::string_view, 3> kFreeTexts{"事故经过", "责任认定", "证据清单"};

template <typename Record, std::size_t N>
void appendColumns(std::string& header, std::string& row,
                   const std::array<NamedField<Record>, N>& fields, const Record& record,
                   std::size_t always = N) {
  for (std::size_t k = 0; k < N; ++k) {
    const auto& field = fields[k];
    if (k >= always && (record.*field.member).empty()) continue;
    csv::appendField(header, field.name);
    csv::appendField(row, record.*field.member);
    header += ',';
    row += ',';
  }
}

std::variant<std::vector<CaseEntry>, batch::InputError> read(std::string_view bytes,
                                                             batch::Encoding encoding) {
  std::vector<CaseEntry> entries;
  std::optional<batch::InputError> tooLong;
  batch::Options options;
  options.encoding = encoding;
  options.keep = {std::string(kCaseNumber)};
  options.keepIfPresent = true;
  options.onCase = [&](std::size_t line, const CaseInput& input, const claim::ClaimInput& claim,
                       const complaint::ComplaintInput& complaint,
                       const std::vector<std::string>& kept) {
    if (tooLong) return;
    const auto check = [&](std::string_view name, const std::string& text) {
      const std::size_t longest = longestField(name);
      if (tooLong || text.size() <= longest) return;
      tooLong = batch::InputError{
          line, std::string(name) + " is longer than " + std::to_string(longest) + " bytes"};
    };
    for (const auto& field : inputFields) check(field.name, input.*field.member);
    for (const auto& field : claim::claimFields) check(field.name, claim.*field.member);
    for (const auto& field : complaint::complaintFields) {
      check(field.name, complaint.*field.member);
    }
    if (!tooLong) entries.push_back({line, input, claim, complaint, kept.front()});
  };
  batch::Reader reader(options);
  reader.feed(bytes);
  if (auto error = reader.finish()) return *std::move(error);
  if (tooLong) return *std::move(tooLong);
  if (entries.empty()) {
    return batch::InputError{1, "the file holds no case"};
  }
  return entries;
}

}  // namespace

std::size_t longestField(std::string_view name) {
  const bool free = std::find(kFreeTexts.begin(), kFreeTexts.end(), name) != kFreeTexts.end();
  return free ? kLongestText : kLongestField;
}

std::variant<std::vector<CaseEntry>, batch::InputError> readCaseFile(std::string_view bytes) {
  if (bytes.size() > kLargestFile) {
    return batch::InputError{0, "the file is larger than " + std::to_string(kLargestFile >> 20) +
                                    " MB: not a case file"};
  }
  // Said before the reader would say it lacks the header that 案号 is looked
  // for in: a file of nothing but a byte-order mark and line ends is empty.
  auto text = bytes;
  if (text.starts_with(csv::kByteOrderMark)) text.remove_prefix(csv::kByteOrderMark.size());
  if (text.find_first_not_of("\r\n") == std::string_view::npos) {
    return batch::InputError{1, "the file is empty"};
  }
  auto read8 = read(bytes, batch::Encoding::utf8);
  const auto* error = std::get_if<batch::InputError>(&read8);
  if (error == nullptr || error->reason.find("not UTF-8") == std::string::npos) return read8;
  auto readGb = read(bytes, batch::Encoding::gb18030);
  // Neither: the UTF-8 reading's fault says what to do.
  return std::holds_alternative<batch::InputError>(readGb) ? read8 : readGb;
}

std::string caseFileText(const CaseInput& input, const claim::ClaimInput& claim,
                         const complaint::ComplaintInput& complaint) {
  std::string header(csv::kByteOrderMark);
  std::string row;
  appendColumns(header, row, inputFields, input);
  // The first claim inputs go together, as they always have; each later one
  // only when set, so that a case without them is written as before. The
  // complaint's go together after them, when any is set.
  if (claim::anySet(claim)) {
    appendColumns(header, row, claim::claimFields, claim, claim::kFirstClaimFields);
  }
  const auto set = [&](const auto& field) { return !(complaint.*field.member).empty(); };
  if (std::any_of(complaint::complaintFields.begin(), complaint::complaintFields.end(), set)) {
    appendColumns(header, row, complaint::complaintFields, complaint);
  }
  header.back() = '\r';
  row.back() = '\r';
  return header + "\n" + row + "\n";
}

}  // namespace quorvane::cases
