// The case printed: the inputs, the standards, the 22 amounts with their
// working and, when any claim input is set, the claim sheet as it is filed.

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>

#include "claim_report.h"
#include "controls.h"
#include "report.h"
#include "window.h"

namespace quorvane::window {

void CalculatorWindow::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(qs(kReportTitle));
  if (dialog.exec() == QDialog::Accepted) printReport(printer);
}

void CalculatorWindow::printReport(QPrinter& printer) const {
  CaseReport report = reportFor(caseInput(), standards_);
  if (claim::anySet(claimInput_)) {
    report.sections.push_back(claim::reportSection(
        claimInput_, claim::computeClaim(caseInput(), claimInput_, standards_, true)));
  }
  const QDate today = clock_();
  auto html = [](const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().replace('\n', "<br>");
  };

  QString page = "<h2 align=\"center\">" + qs(kReportTitle) + "</h2>";
  page += "<p>打印日期：" +
          QString("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day()) +
          "<br><b>" + qs(kReferenceOnly) + "</b>";
  if (report.notice) page += "<br>提示：" + html(*report.notice);
  page += "</p>";
  for (const auto& section : report.sections) {
    page += "<h3>" + html(section.title) + "</h3>";
    page += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";
    const bool explained = std::any_of(section.rows.begin(), section.rows.end(),
                                       [](const ReportRow& row) { return !row.working.empty(); });
    for (const auto& row : section.rows) {
      page += "<tr><td width=\"22%\">" + html(row.name) + "</td><td>" + html(row.value) + "</td>";
      if (explained) page += "<td width=\"60%\"><small>" + html(row.working) + "</small></td>";
      page += "</tr>";
    }
    page += "</table>";
    if (section.table.empty()) continue;
    page += "<p></p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";
    for (std::size_t r = 0; r < section.table.size(); ++r) {
      const char* cell = r == 0 ? "th" : "td";
      page += "<tr>";
      for (const auto& text : section.table[r]) {
        page += QString("<%1>").arg(cell) + html(text) + QString("</%1>").arg(cell);
      }
      page += "</tr>";
    }
    page += "</table>";
    if (!section.note.empty()) page += "<p>" + html(section.note) + "</p>";
  }

  QTextDocument document;
  QFont font;
  font.setFamilies(songFamilies());
  font.setPointSizeF(9);
  document.setDefaultFont(font);
  document.setHtml(page);
  document.print(&printer);
}

}  // namespace quorvane::window
