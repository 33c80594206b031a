#include "complaint.h"

#include <algorithm>
#include <variant>

#include "claim_table.h"
#include "complaint_parts.h"
#include "court_fee.h"

namespace quorvane::complaint {

bool anySet(const ComplaintInput& input) {
  return std::any_of(complaintFields.begin(), complaintFields.end(),
                     [&](const auto& field) { return !(input.*field.member).empty(); });
}

Complaint makeComplaint(const CaseInput& input, const claim::ClaimInput& claim,
                        const ComplaintInput& complaint, const StandardsTable& standards) {
  Complaint made;
  const auto outcome = claim::computeClaim(input, claim, standards, /*withWorking=*/true);
  if (const auto* refusal = std::get_if<claim::ClaimRefusal>(&outcome)) {
    made.fault = refusal->message;
    return made;
  }
  const auto& sheet = std::get<claim::ClaimSheet>(outcome);
  made.claimed = claim::claimedAmount(sheet.payers);
  made.fee = sheet.案件受理费;  // halved under the summary procedure (简易程序)
  made.feeLine = claim::feeLine(sheet, claim.简易程序 == "是");
  made.defendants = detail::defendants(complaint, sheet.payers);
  made.requests = detail::requests(claim, complaint, sheet.payers);
  made.fault = detail::checkInputs(input, claim, complaint, sheet.payers);
  if (!made.fault.empty()) return made;
  const auto rows = claim::filedTable(outcome);
  made.form = detail::form({input, claim, complaint, sheet, rows, made});
  return made;
}

}  // namespace quorvane::complaint
