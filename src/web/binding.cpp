// The engine for the page's script: the same run, report and case files as the
// window's, over arrays of texts in the order of inputFields and resultFields.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <variant>
#include <vector>

#include "binding_values.h"
#include "calc.h"
#include "case_file.h"
#include "catalogue.h"
#include "claim.h"
#include "claim_report.h"
#include "claim_table.h"
#include "complaint.h"
#include "court_fee.h"
#include "report.h"
#include "standards_edit.h"
#include "standards_file.h"

namespace {

using emscripten::val;
using quorvane::web::bytesOf;
using quorvane::web::bytesVal;
using quorvane::web::caseInput;
using quorvane::web::claimInput;
using quorvane::web::complaintInput;
using quorvane::web::names;
using quorvane::web::standardsTable;

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
  emscripten::function("calculate", &calculate);
  emscripten::function("claimTable", &claimTable);
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
