// The engine's documents for the page's script: the exported 赔偿清单 and
// the complaint (起诉状), its part's texts, its .odt and its HTML for print,
// the same engine calls as the window's.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <variant>

#include "binding_values.h"
#include "claim.h"
#include "claim_document.h"
#include "claim_table.h"
#include "complaint.h"
#include "html.h"
#include "odt.h"

namespace {

using emscripten::val;
using quorvane::web::bytesVal;
using quorvane::web::caseInput;
using quorvane::web::claimInput;
using quorvane::web::complaintInput;
using quorvane::web::names;
using quorvane::web::standardsTable;

// 导出清单: the exported sheet's .odt, as the window writes it; null when the
// sheet is refused.
val sheetOdt(const val& texts, const val& claimTexts, const std::string& standardsFile) {
  const auto input = caseInput(texts);
  const auto claim = claimInput(claimTexts);
  const auto outcome =
      quorvane::claim::computeClaim(input, claim, standardsTable(standardsFile), true);
  if (std::holds_alternative<quorvane::claim::ClaimRefusal>(outcome)) return val::null();
  return bytesVal(quorvane::document::odtFile(quorvane::claim::sheetDocument(
      quorvane::claim::sheetFacts(input, claim), quorvane::claim::filedTable(outcome))));
}

quorvane::complaint::Complaint complaintOf(const val& texts, const val& claimTexts,
                                           const val& complaintTexts,
                                           const std::string& standardsFile) {
  return quorvane::complaint::makeComplaint(caseInput(texts), claimInput(claimTexts),
                                            complaintInput(complaintTexts),
                                            standardsTable(standardsFile));
}

// The complaint as its part shows it: {fault, requests, fee}: the checks'
// message (empty when it may be exported), the numbered requests and the fee's
// line.
val complaintPart(const val& texts, const val& claimTexts, const val& complaintTexts,
                  const std::string& standardsFile) {
  const auto made = complaintOf(texts, claimTexts, complaintTexts, standardsFile);
  val out = val::object();
  out.set("fault", made.fault);
  out.set("requests", val::array(made.requests.begin(), made.requests.end()));
  out.set("fee", made.feeLine);
  return out;
}

// 导出起诉状 and 打印起诉状: the form's .odt, and its HTML for print; null
// while the checks find a fault.
val complaintOdt(const val& texts, const val& claimTexts, const val& complaintTexts,
                 const std::string& standardsFile) {
  const auto made = complaintOf(texts, claimTexts, complaintTexts, standardsFile);
  return made.fault.empty() ? bytesVal(quorvane::document::odtFile(made.form)) : val::null();
}

val complaintHtml(const val& texts, const val& claimTexts, const val& complaintTexts,
                  const std::string& standardsFile) {
  const auto made = complaintOf(texts, claimTexts, complaintTexts, standardsFile);
  return made.fault.empty() ? val(quorvane::document::htmlDocument(made.form)) : val::null();
}

// The texts an option input offers besides empty; none for a free text.
val complaintChoices(const std::string& field) {
  val out = val::array();
  for (const auto text : quorvane::complaint::choices(field)) {
    out.call<void>("push", std::string(text));
  }
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvane_documents) {
  emscripten::function(
      "complaintInputNames", +[] { return names(quorvane::complaint::complaintFields); });
  emscripten::function("complaintChoices", &complaintChoices);
  emscripten::function("sheetOdt", &sheetOdt);
  emscripten::function("complaint", &complaintPart);
  emscripten::function("complaintOdt", &complaintOdt);
  emscripten::function("complaintHtml", &complaintHtml);
}
