#pragma once

// Quorvane's one window.
//
// CalculatorWindow is built from controlCatalogue (catalogue.h): each control is
// a Qt widget whose objectName is its catalogue name, placed in twips scaled to
// pixels. "计算按钮" reads the input controls into a CaseInput, runs the engine
// and writes the 22 result boxes; the start-up routine fills the eight lists
// when the window is first shown. "清空按钮" asks the WindowHost to discard the
// window and show a new one built from the same definition.

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "calc.h"
#include "catalogue.h"
#include "claim.h"
#include "complaint.h"
#include "platform.h"

class QAction;
class QPrinter;
class QLineEdit;
class QScrollBar;

namespace quorvane::window {

class CaseDocument;
class ClaimDialog;
class ComplaintDialog;

class CalculatorWindow : public QWidget {
  Q_OBJECT
 public:
  // The standards are the built-in rows and those of the user's standards file:
  // a calculation goes by them, and the accident-year list offers their years.
  explicit CalculatorWindow(platform::Clock clock, StandardsTable standards = {},
                            QWidget* parent = nullptr);

  // The case as the input controls show it now.
  [[nodiscard]] CaseInput caseInput() const;

  // The control of that catalogue name.
  [[nodiscard]] QWidget* control(std::string_view name) const;

  // The standards in force change (the 年度标准 dialog saved): the accident-year
  // list offers the new years, its pick kept where that year is still offered.
  void setStandards(StandardsTable standards);
  [[nodiscard]] const StandardsTable& standards() const { return standards_; }

  // Why the user's standards file was refused at start-up, for the 年度标准
  // dialog to say; empty when it was not.
  void setStandardsRefusal(QString refusal) { standardsRefusal_ = std::move(refusal); }

  // Opens the 年度标准 dialog (Ctrl+T, or the field area's context menu).
  void editStandards();

  // The claim sheet's inputs, kept with the case whether the 赔偿清单 dialog
  // is open or not: printed and saved with it, cleared by 清空.
  [[nodiscard]] const claim::ClaimInput& claimInput() const { return claimInput_; }
  void setClaimInput(const claim::ClaimInput& input);

  // Opens the 赔偿清单 dialog (Ctrl+L, or the field area's context menu), or
  // raises it when it is open already; a new one takes that geometry, if any.
  ClaimDialog* showClaim(const QByteArray& geometry = {});

  // The complaint's inputs, kept with the case as the claim's are: saved with
  // it, cleared by 清空; the 起诉状 dialog edits them.
  [[nodiscard]] const complaint::ComplaintInput& complaintInput() const { return complaintInput_; }
  void setComplaintInput(const complaint::ComplaintInput& input);

  // Opens the 起诉状 dialog (起诉状… in the 赔偿清单 dialog), or raises it
  // when it is open already; a new one takes that geometry, if any.
  ComplaintDialog* showComplaint(const QByteArray& geometry = {});

  // A case opened from a file: each text into its control (a list picks the
  // item of that text, or none), the results cleared, the form at its top.
  void showCase(const CaseInput& input, const claim::ClaimInput& claim = {},
                const complaint::ComplaintInput& complaint = {});
  [[nodiscard]] bool hasResults() const;

  // The case as a document: its file, title and the actions on it.
  [[nodiscard]] CaseDocument& document() const { return *document_; }

  // The case as a printed page (inputs, standards, results with their working,
  // today's date, and the claim sheet when a claim input is set) on the
  // printer as it is set up.
  void printReport(QPrinter& printer) const;

 signals:
  void resetRequested();
  void standardsChanged(const quorvane::StandardsTable& standards);
  void claimInputChanged();
  void complaintInputChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createControls();
  void createTabOrder();
  void createConnections();
  void load();
  void fillStartupLists();

  void calculate();
  void print();
  void scrollTo(int value);
  void showContextMenu(const QPoint& position);
  // The one modeless dialog of that kind, brought to the front when open,
  // else built (the window starts as it always has) and shown where it was.
  template <class Dialog>
  Dialog* showOwnDialog(const QByteArray& geometry) {
    if (auto* open = findChild<Dialog*>(QString(), Qt::FindDirectChildrenOnly)) {
      open->raise();
      open->activateWindow();
      return open;
    }
    auto* dialog = new Dialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!geometry.isEmpty()) dialog->restoreGeometry(geometry);
    dialog->show();
    return dialog;
  }

  platform::Clock clock_;
  StandardsTable standards_;
  QString standardsRefusal_;
  claim::ClaimInput claimInput_;
  complaint::ComplaintInput complaintInput_;
  QAction* standardsAction_ = nullptr;
  QAction* claimAction_ = nullptr;
  QAction* printAction_ = nullptr;
  CaseDocument* document_ = nullptr;
  QWidget* pictureBox_ = nullptr;
  QScrollBar* scrollBar_ = nullptr;
  std::array<QWidget*, controlCatalogue.size()> controls_{};
  std::array<QWidget*, inputFields.size()> inputs_{};
  std::array<QLineEdit*, resultFields.size()> results_{};
  bool startupDone_ = false;
};

// The user's standards file as the window takes it: its rows added to the
// built-in ones, or, when the file is refused, the built-in rows alone and the
// message that says why. No file is no message.
struct UserStandards {
  StandardsTable table;
  QString refusal;
};
[[nodiscard]] UserStandards readUserStandards();

// Owns the window the user sees, and replaces it with a fresh one on a reset.
class WindowHost : public QObject {
  Q_OBJECT
 public:
  explicit WindowHost(platform::Clock clock = platform::systemToday, StandardsTable standards = {},
                      QString standardsRefusal = {}, QObject* parent = nullptr);
  ~WindowHost() override;

  void show();
  [[nodiscard]] CalculatorWindow* window() const { return window_; }

 signals:
  void windowReplaced(CalculatorWindow* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void replaceWindow();

  platform::Clock clock_;
  StandardsTable standards_;
  QString standardsRefusal_;
  QPointer<CalculatorWindow> window_;
};

// The program's start: the window shown with the user's standards; a refused
// standards file is reported over it once it is up.
// A case file named on the command line is opened in it.
[[nodiscard]] std::unique_ptr<WindowHost> startWindow(platform::Clock clock,
                                                      const QString& caseFile = {});

}  // namespace quorvane::window
