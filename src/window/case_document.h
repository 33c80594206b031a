#pragma once

// The case as a document: saved to and opened from a case file (case_file.h,
// the batch tool's input format), its name in the title bar with a "*" while
// the fields differ from the file, a question before unsaved changes are
// dropped, the last five files, and the results copied for a word processor
// or a spreadsheet. A case never saved or opened behaves as the window
// always has: no name, no question.

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include "calc.h"
#include "claim.h"
#include "complaint.h"

class QAction;
class QMenu;

namespace quorvane::window {

class CalculatorWindow;

// Rows of caption and text onto the clipboard, as 复制结果 copies the results:
// as text (caption, tab, text; a line each), which a spreadsheet pastes as two
// columns, and as an HTML table, which a word processor pastes as a table.
using CopiedRows = QList<QPair<QString, QString>>;
void copyRows(const CopiedRows& rows);
// A table of any width the same way, under a header row (<th> cells in HTML)
// when one is given, so that a word processor pastes it with its headings.
void copyTable(const QStringList& header, const QList<QStringList>& rows);

class CaseDocument : public QObject {
  Q_OBJECT
 public:
  explicit CaseDocument(CalculatorWindow* window);

  // Ctrl+S, Ctrl+Shift+S, Ctrl+O and Ctrl+Shift+C, on the window.
  [[nodiscard]] QList<QAction*> actions() const;

  // Opens that case file (asking which case when it holds several); a file
  // refused leaves the window as it was. False when nothing was opened.
  bool open(const QString& path);
  // Saves to path; false, with a message, when the file could not be written.
  bool saveTo(const QString& path);

  // Whether the window's case may be dropped: true when it has no unsaved
  // changes, or the user saved them or chose to drop them.
  [[nodiscard]] bool mayDiscard();

  [[nodiscard]] const QString& path() const { return path_; }
  [[nodiscard]] bool modified() const;

  // The last case files saved or opened, newest first, as a menu's items.
  void addRecentFiles(QMenu& menu);
  [[nodiscard]] static QStringList recentFiles();

  // The window's fields or results changed: title and actions follow.
  void update();

 private:
  void save();
  void saveAs();
  void chooseAndOpen();
  void copyResults();
  [[nodiscard]] CopiedRows resultRows() const;
  void remember(const QString& path);
  // Where the file dialogs start: the case's own folder, else the documents folder.
  [[nodiscard]] QString startFolder() const;

  CalculatorWindow* window_;
  QString path_;
  CaseInput saved_;
  claim::ClaimInput savedClaim_;
  complaint::ComplaintInput savedComplaint_;
  QAction* saveAction_;
  QAction* saveAsAction_;
  QAction* openAction_;
  QAction* copyAction_;
};

}  // namespace quorvane::window
