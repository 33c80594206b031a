#pragma once

// The 赔偿清单 dialog: the claim sheet (claim.h) of the case the window shows,
// what a court awards and who pays it, beside the window's 22 amounts. It is
// modeless: the sheet follows the window's fields, the standards in force and
// its own inputs as they change, with no button to press. The inputs belong
// to the window (CalculatorWindow::claimInput), which prints and saves
// them whether the dialog is open or not; the dialog only edits them.

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "claim.h"
#include "claim_table.h"

class QComboBox;
class QLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quorvane::window {

class CalculatorWindow;
struct InputCell;

// The claim inputs as the dialog can show them: a pick-only list's input
// (交强险, 护理依赖, …) is one of its items, and the first item, picked by
// default, is held as empty, as is a text that is not offered (as a window
// list leaves a text it does not offer unpicked).
[[nodiscard]] claim::ClaimInput shownClaim(claim::ClaimInput input);

class ClaimDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ClaimDialog(CalculatorWindow* window);

  // Saves the sheet as an OpenDocument text file at path (导出清单…, Ctrl+E,
  // once a file is chosen); false, with a message saying why, when it could
  // not be written, and then nothing is changed.
  bool exportTo(const QString& path);

 private:
  void createWidgets();
  QLayout* createInputs();
  QLayout* createSheet();
  QWidget* createInput(const InputCell& cell);
  void createConnections();
  void offerYears();
  void showInput();
  void edited();
  void recompute();
  void copySheet();
  void exportSheet();

  CalculatorWindow* window_;
  bool showing_ = false;  // the controls are being set from the window's inputs
  QComboBox* yearBox_ = nullptr;
  std::array<QComboBox*, claim::claimFields.size()> lists_{};  // the pick-only lists
  std::array<QLineEdit*, claim::claimFields.size()> edits_{};  // null for the lists
  QLabel* notice_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* fee_ = nullptr;  // the court fee under the table
  std::vector<claim::TableRow> rows_;  // as the table shows them
  QPushButton* copyButton_ = nullptr;
  QPushButton* exportButton_ = nullptr;
  QPushButton* complaintButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace quorvane::window
