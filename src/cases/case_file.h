#pragma once

// Case files: a case kept to open again, in the batch tool's own input format
// (a header row of input field names, then one row a case), so that the
// window, the page and quorvane-calc all read the same file. They are read by
// the batch reader itself, its header rules and refusals included, and
// written UTF-8 with a byte-order mark and CRLF row ends, as Excel on Chinese
// Windows opens them.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch.h"
#include "calc.h"
#include "complaint.h"

namespace quorvane::cases {

// The column a case file may add to name its case (it is not an input field).
inline constexpr std::string_view kCaseNumber = "案号";

// The largest case file read, and the longest field in one: a text box holds
// a number or a short text, never a document. The complaint's free texts
// (事故经过, 责任认定, 证据清单) are paragraphs a lawyer writes, and have room
// for a few pages.
inline constexpr std::size_t kLargestFile = 16u << 20;
inline constexpr std::size_t kLongestField = 1024;
inline constexpr std::size_t kLongestText = 16u << 10;

// The longest a field of that name may be: kLongestText for the free texts,
// else kLongestField.
[[nodiscard]] std::size_t longestField(std::string_view name);

struct CaseEntry {
  std::size_t line = 0;                 // the input line its row starts on
  CaseInput input;                      // the fields as the file gives them; absent ones empty
  claim::ClaimInput claim;              // the claim sheet's inputs, likewise
  complaint::ComplaintInput complaint;  // the complaint's inputs, likewise
  std::string caseNumber;               // its 案号, empty when the file has none
};

// The cases of a case file, or why it is refused: the batch reader's faults,
// and a file that holds no case, is larger than kLargestFile or has a field
// longer than longestField allows. UTF-8 is tried first; a file that is not UTF-8
// is read as GB18030, as a spreadsheet often saves it.
[[nodiscard]] std::variant<std::vector<CaseEntry>, batch::InputError> readCaseFile(
    std::string_view bytes);

// The case as a case file: a byte-order mark, the header row naming every
// input field (and every claim input, when any is set; then every complaint
// input, when any is set), and its row, each ended by CRLF. A case without
// claim or complaint inputs is written as it always was.
[[nodiscard]] std::string caseFileText(const CaseInput& input, const claim::ClaimInput& claim = {},
                                       const complaint::ComplaintInput& complaint = {});

}  // namespace quorvane::cases
