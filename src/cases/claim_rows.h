#pragma once

// The claim sheet's columns of the batch tool's rows, worked out on a second
// thread while the reader goes on with the next rows. The sheet nearly
// doubles a row's text and adds about a third to its work; a second core
// takes that off the reading thread, and the rows still come out whole and
// in their order.
//
// Rows go in batches. The reader fills a row's inputs straight into the slot
// that input() and claim() give it (no copy), writes the row's other columns
// to text(), and ends the row; a full batch goes to the second thread, and
// while that works the sheets out the reader fills the other batch. A batch
// whose sheets are done is joined to its rows' text and appended to the
// output.

#include <memory>
#include <string>

#include "calc.h"
#include "claim.h"

namespace quorvane::batch::detail {

// A sheet's columns as the batch tool writes them, each after a comma: the
// refusal in 清单提示 and the rest empty, or 清单提示 empty and the amounts.
void appendClaimColumns(std::string& out, const claim::ClaimOutcome& outcome);

class ClaimRows {
 public:
  ClaimRows(const StandardsTable& standards, std::string_view rowEnd);
  ~ClaimRows();
  ClaimRows(const ClaimRows&) = delete;
  ClaimRows& operator=(const ClaimRows&) = delete;

  // Where the next row's case and claim inputs go; the slots keep their
  // strings' buffers from batch to batch.
  [[nodiscard]] CaseInput& input();
  [[nodiscard]] claim::ClaimInput& claim();
  // The next row's columns before the sheet's.
  [[nodiscard]] std::string& text();

  // The row is complete. Rows whose sheets are done are appended to out.
  void endRow(std::string& out);
  // Every row still waiting, appended to out once its sheet is done.
  void finish(std::string& out);

 private:
  struct Shared;
  std::unique_ptr<Shared> shared_;
};

}  // namespace quorvane::batch::detail
