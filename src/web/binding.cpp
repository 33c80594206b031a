// The engine for the page's script: the same run, report and case files as the
// window's, over arrays of texts in the order of inputFields and resultFields.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <variant>
#include <vector>

#include "calc.h"
#include "case_file.h"
#include "catalogue.h"
#include "claim.h"
#include "claim_document.h"
#include "claim_report.h"
#include "claim_table.h"
#include "complaint.h"
#include "court_fee.h"
#include "html.h"
#include "odt.h"
#include "report.h"
#include "standards_edit.h"
#include "standards_file.h"

namespace {

using emscripten::val;

val names(const auto& fields) {
  val out = val::array();
  for (const auto& field : fields) out.call<void>("push", std::string(field.name));
  return out;
}

// A file's bytes as they are, from a Uint8Array: text that is not UTF-8 is
// refused as the programs refuse it.
std::string bytesOf(const val& fileBytes) {
  const auto bytes = emscripten::convertJSArrayToNumberVector<unsigned char>(fileBytes);
  return {bytes.begin(), bytes.end()};
}

quorvane::CaseInput caseInput(const val& texts) {
  const auto values = emscripten::vecFromJSArray<std::string>(texts);
  quorvane::CaseInput input;
  for (std::size_t i = 0; i < quorvane::inputFields.size() && i < values.size(); ++i) {
    input.*quorvane::inputFields[i].member = values[i];
  }
  return input;
}

// The claim sheet's inputs, in the order of claimFields.
quorvane::claim::ClaimInput claimInput(const val& texts) {
  const auto values = emscripten::vecFromJSArray<std::string>(texts);
  quorvane::claim::ClaimInput claim;
  for (std::size_t i = 0; i < quorvane::claim::claimFields.size() && i < values.size(); ++i) {
    claim.*quorvane::claim::claimFields[i].member = values[i];
  }
  return claim;
}

// The complaint's inputs, in the order of complaintFields.
quorvane::complaint::ComplaintInput complaintInput(const val& texts) {
  const auto values = emscripten::vecFromJSArray<std::string>(texts);
  quorvane::complaint::ComplaintInput complaint;
  for (std::size_t i = 0; i < quorvane::complaint::complaintFields.size() && i < values.size();
       ++i) {
    complaint.*quorvane::complaint::complaintFields[i].member = values[i];
  }
  return complaint;
}

// Bytes for the page as a Uint8Array of their own: a string would lose what
// is not text on its way.
val bytesVal(const std::string& bytes) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(bytes.size(),
                                          reinterpret_cast<const unsigned char*>(bytes.data())));
}

// The standards a run goes by: the built-in rows with those of the standards
// file the editor keeps, as its text; a text the reader refuses adds none.
quorvane::StandardsTable standardsTable(const std::string& fileText) {
  if (fileText.empty()) return {};
  auto read = quorvane::standards::readStandardsFile(fileText);
  if (auto* table = std::get_if<quorvane::StandardsTable>(&read)) return std::move(*table);
  return {};
}

// The standards editor's rows: arrays of texts in the order of kColumns.
std::vector<quorvane::standards::RowTexts> rowsOf(const val& rows) {
  std::vector<quorvane::standards::RowTexts> out;
  const auto count = rows["length"].as<std::size_t>();
  for (std::size_t i = 0; i < count; ++i) {
    const auto cells = emscripten::vecFromJSArray<std::string>(rows[i]);
    auto& row = out.emplace_back();
    for (std::size_t column = 0; column < row.size() && column < cells.size(); ++column) {
      row[column] = cells[column];
    }
  }
  return out;
}

val arrayOf(const std::vector<quorvane::standards::RowTexts>& rows) {
  val out = val::array();
  for (const auto& row : rows) {
    val cells = val::array();
    for (const auto& cell : row) cells.call<void>("push", cell);
    out.call<void>("push", cells);
  }
  return out;
}

// The rows the editor shows for a kept standards file: {builtIn, file,
// refused}; a text the reader now refuses adds no rows.
val standardsRows(const std::string& fileText) {
  val out = val::object();
  out.set("builtIn", arrayOf(quorvane::standards::builtInRowTexts()));
  out.set("file", val::array());
  out.set("refused", false);
  if (fileText.empty()) return out;
  const auto read = quorvane::standards::readStandardsFile(fileText);
  if (const auto* table = std::get_if<quorvane::StandardsTable>(&read)) {
    out.set("file", arrayOf(quorvane::standards::fileRowTexts(*table)));
  } else {
    out.set("refused", true);
  }
  return out;
}

// 添加: {rows, index}, the file rows with the new one and where it went.
val addStandardsRow(const val& rows, const std::string& pickedYear) {
  auto texts = rowsOf(rows);
  const auto index = quorvane::standards::addRow(texts, pickedYear);
  val out = val::object();
  out.set("rows", arrayOf(texts));
  out.set("index", index);
  return out;
}

// 保存's check of the file rows, in the order shown: {fault, text}: fault is
// null or {index (among these rows), column, message}; text is the standards
// file they make, empty on a fault.
val checkStandardsRows(const val& rows) {
  const auto read = quorvane::standards::readStandardsRows(rowsOf(rows));
  val out = val::object();
  if (const auto* error = std::get_if<quorvane::standards::FileError>(&read)) {
    val fault = val::object();
    fault.set("index", error->row - 1);
    fault.set("column", error->column ? val(*error->column) : val::null());
    fault.set("message", quorvane::standards::describeRowChinese(*error));
    out.set("fault", fault);
    out.set("text", std::string());
  } else {
    out.set("fault", val::null());
    out.set("text",
            quorvane::standards::standardsFileText(std::get<quorvane::StandardsTable>(read)));
  }
  return out;
}

// 导入 of a file, its bytes as they are (so that text which is not UTF-8 is
// refused as the programs refuse it), into the editor's file rows: {refusal,
// question, replaced, kept}: the reader's refusal in Chinese naming the file,
// or null; the question to ask when the file holds years the rows have, or
// null; the rows with the file's, its years replacing theirs or not.
val importStandards(const val& rows, const val& fileBytes, const std::string& fileName) {
  const auto read = quorvane::standards::readStandardsFile(bytesOf(fileBytes));
  val out = val::object();
  out.set("refusal", val::null());
  out.set("question", val::null());
  if (const auto* error = std::get_if<quorvane::standards::FileError>(&read)) {
    out.set("refusal", quorvane::standards::describeChinese(fileName, *error));
    return out;
  }
  const auto& imported = std::get<quorvane::StandardsTable>(read);
  const auto texts = rowsOf(rows);
  const auto conflicts = quorvane::standards::conflictingYears(texts, imported);
  if (!conflicts.empty()) {
    out.set("question", quorvane::standards::conflictQuestionChinese(conflicts));
  }
  out.set("replaced", arrayOf(quorvane::standards::importRows(texts, imported, true)));
  out.set("kept", arrayOf(quorvane::standards::importRows(texts, imported, false)));
  return out;
}

val optionalText(const std::optional<std::string>& text) {
  return text ? val(*text) : val::null();
}

// {stop, notice, results, working}: stop and notice are null when absent; a
// stopped run has no results.
val calculate(const val& texts, const std::string& standardsFile) {
  quorvane::CaseWorking working;
  const auto outcome =
      quorvane::runCalculation(caseInput(texts), standardsTable(standardsFile), &working);
  val out = val::object();
  out.set("results", val::array());
  out.set("working", val::array());
  if (const auto* stop = std::get_if<quorvane::CalcStop>(&outcome)) {
    out.set("stop", stop->message);
    out.set("notice", optionalText(stop->notice));
    return out;
  }
  const auto& done = std::get<quorvane::CalcCompleted>(outcome);
  out.set("stop", val::null());
  out.set("notice", optionalText(done.notice));
  for (const auto& field : quorvane::resultFields) {
    out["results"].call<void>("push", done.result.*field.member);
    out["working"].call<void>("push", working.*field.member);
  }
  return out;
}

// The claim sheet as filed: {columns, rows: [{kind (item, total or payer),
// cells}], notice, fee}: a refusal has its message in notice, no rows and no
// fee; a sheet, the court fee's line under its table in fee.
val claimTable(const val& texts, const val& claimTexts, const std::string& standardsFile) {
  const auto claim = claimInput(claimTexts);
  const auto outcome =
      quorvane::claim::computeClaim(caseInput(texts), claim, standardsTable(standardsFile), true);
  val out = val::object();
  val columns = val::array();
  for (const auto name : quorvane::claim::kTableColumns) {
    columns.call<void>("push", std::string(name));
  }
  out.set("columns", columns);
  const auto* refusal = std::get_if<quorvane::claim::ClaimRefusal>(&outcome);
  out.set("notice", refusal ? refusal->message : std::string());
  const auto* sheet = std::get_if<quorvane::claim::ClaimSheet>(&outcome);
  out.set("fee", sheet ? quorvane::claim::feeLine(*sheet, claim.简易程序 == "是") : std::string());
  static constexpr std::array<const char*, 3> kKinds{"item", "total", "payer"};
  val rows = val::array();
  for (const auto& row : quorvane::claim::filedTable(outcome)) {
    const auto cells = quorvane::claim::tableCells(row);
    val entry = val::object();
    entry.set("kind", std::string(kKinds[static_cast<std::size_t>(row.kind)]));
    entry.set("cells", val::array(cells.begin(), cells.end()));
    rows.call<void>("push", entry);
  }
  out.set("rows", rows);
  return out;
}

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

// The report of a case with its claim sheet, when any claim input is set.
quorvane::CaseReport caseReport(const val& texts, const val& claimTexts,
                                const std::string& standardsFile) {
  const auto input = caseInput(texts);
  const auto claim = claimInput(claimTexts);
  const auto standards = standardsTable(standardsFile);
  auto report = quorvane::reportFor(input, standards);
  if (quorvane::claim::anySet(claim)) {
    report.sections.push_back(quorvane::claim::reportSection(
        claim, quorvane::claim::computeClaim(input, claim, standards, true)));
  }
  return report;
}

// The printed case: {title, referenceOnly, notice, stopMessage, sections:
// [{title, rows: [{name, value, working}], table: [[header cells], [cells] …], note}]}.
val report(const val& texts, const val& claimTexts, const std::string& standardsFile) {
  const auto report = caseReport(texts, claimTexts, standardsFile);
  val out = val::object();
  out.set("title", std::string(quorvane::kReportTitle));
  out.set("referenceOnly", std::string(quorvane::kReferenceOnly));
  out.set("notice", optionalText(report.notice));
  out.set("stopMessage", optionalText(report.stopMessage));
  val sections = val::array();
  for (const auto& section : report.sections) {
    val rows = val::array();
    for (const auto& row : section.rows) {
      val item = val::object();
      item.set("name", row.name);
      item.set("value", row.value);
      item.set("working", row.working);
      rows.call<void>("push", item);
    }
    val table = val::array();
    for (const auto& row : section.table) {
      val cells = val::array();
      for (const auto& cell : row) cells.call<void>("push", cell);
      table.call<void>("push", cells);
    }
    val entry = val::object();
    entry.set("title", section.title);
    entry.set("rows", rows);
    entry.set("table", table);
    entry.set("note", section.note);
    sections.call<void>("push", entry);
  }
  out.set("sections", sections);
  return out;
}

// The eight lists as the window starts in that year with those standards:
// [{name, items, pick}].
val startupLists(int year, const std::string& standardsFile) {
  val out = val::array();
  for (const auto& list : quorvane::window::startupLists(year, standardsTable(standardsFile))) {
    val items = val::array();
    for (const auto& item : list.items) items.call<void>("push", item);
    val entry = val::object();
    entry.set("name", std::string(list.name));
    entry.set("items", items);
    entry.set("pick", std::string(list.pick));
    out.call<void>("push", entry);
  }
  return out;
}

// The case as a case file, as the window saves it: its bytes, for a string
// would lose the byte-order mark on its way to the page.
val caseFileBytes(const val& texts, const val& claimTexts, const val& complaintTexts) {
  return bytesVal(quorvane::cases::caseFileText(caseInput(texts), claimInput(claimTexts),
                                                complaintInput(complaintTexts)));
}

// A case file, its bytes as they are: {refusal, cases}: refusal is null or
// {line (0 when the fault has none), reason}; cases are [{line, caseNumber,
// texts, claim, complaint}], texts in the order of inputFields, claim in that
// of claimFields and complaint in that of complaintFields (empty where the
// file has no column), none when refused.
val readCaseFile(const val& fileBytes) {
  const auto read = quorvane::cases::readCaseFile(bytesOf(fileBytes));
  val out = val::object();
  out.set("refusal", val::null());
  out.set("cases", val::array());
  if (const auto* error = std::get_if<quorvane::batch::InputError>(&read)) {
    val refusal = val::object();
    refusal.set("line", error->line);
    refusal.set("reason", error->reason);
    out.set("refusal", refusal);
    return out;
  }
  for (const auto& entry : std::get<std::vector<quorvane::cases::CaseEntry>>(read)) {
    val texts = val::array();
    for (const auto& field : quorvane::inputFields) {
      texts.call<void>("push", entry.input.*field.member);
    }
    val claim = val::array();
    for (const auto& field : quorvane::claim::claimFields) {
      claim.call<void>("push", entry.claim.*field.member);
    }
    val complaint = val::array();
    for (const auto& field : quorvane::complaint::complaintFields) {
      complaint.call<void>("push", entry.complaint.*field.member);
    }
    val item = val::object();
    item.set("line", entry.line);
    item.set("caseNumber", entry.caseNumber);
    item.set("texts", texts);
    item.set("claim", claim);
    item.set("complaint", complaint);
    out["cases"].call<void>("push", item);
  }
  return out;
}

// The report as the batch tool's --explain writes it.
std::string reportText(const val& texts, const val& claimTexts, const std::string& standardsFile,
                       const std::string& printedDate) {
  return quorvane::reportText(caseReport(texts, claimTexts, standardsFile), printedDate);
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvane) {
  emscripten::function(
      "inputNames", +[] { return names(quorvane::inputFields); });
  emscripten::function(
      "resultNames", +[] { return names(quorvane::resultFields); });
  emscripten::function(
      "claimInputNames", +[] { return names(quorvane::claim::claimFields); });
  emscripten::function(
      "complaintInputNames", +[] { return names(quorvane::complaint::complaintFields); });
  emscripten::function("complaintChoices", &complaintChoices);
  emscripten::function("calculate", &calculate);
  emscripten::function("claimTable", &claimTable);
  emscripten::function("sheetOdt", &sheetOdt);
  emscripten::function("complaint", &complaintPart);
  emscripten::function("complaintOdt", &complaintOdt);
  emscripten::function("complaintHtml", &complaintHtml);
  emscripten::function("report", &report);
  emscripten::function("reportText", &reportText);
  emscripten::function("standardsRows", &standardsRows);
  emscripten::function("addStandardsRow", &addStandardsRow);
  emscripten::function("checkStandardsRows", &checkStandardsRows);
  emscripten::function("importStandards", &importStandards);
  emscripten::function("startupLists", &startupLists);
  emscripten::function("caseFileBytes", &caseFileBytes);
  emscripten::function("readCaseFile", &readCaseFile);
  emscripten::function(
      "largestCaseFile", +[] { return quorvane::cases::kLargestFile; });
}
