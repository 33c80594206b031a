#pragma once

// The 起诉状 dialog: the complaint (complaint.h) of the case the window shows,
// its parties and facts typed here, its requests and court fee made from the
// claim sheet. Like the 赔偿清单 dialog it is modeless and follows the
// window's fields, the standards in force, the claim inputs and its own
// inputs as they change. The inputs belong to the window
// (CalculatorWindow::complaintInput), which saves them with the case; the
// dialog only edits them. A fault the checks find shows in red and keeps the
// form from being exported or printed.

#include <QDialog>
#include <array>

#include "complaint.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace quorvane::window {

class CalculatorWindow;
struct InputCell;
struct InputGroup;

// The complaint inputs as the dialog can show them: a pick-only list's input
// is one of its items, and the first item, picked by default, is held as
// empty, as is a text it does not offer; "居民身份证", the first kind of
// document, is held as empty too.
[[nodiscard]] complaint::ComplaintInput shownComplaint(complaint::ComplaintInput input);

class ComplaintDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ComplaintDialog(CalculatorWindow* window);

  // Saves the form as an OpenDocument text file at path (导出起诉状…, Ctrl+E,
  // once a file is chosen); false, with a message saying why, when a fault
  // refuses it or the file could not be written, and then nothing is changed.
  bool exportTo(const QString& path);

  // The form on the printer as it is set up (打印…, once the printer is
  // chosen); nothing while a fault refuses it.
  void printTo(QPrinter& printer) const;

  [[nodiscard]] const complaint::Complaint& complaint() const { return complaint_; }

 private:
  void createWidgets();
  QWidget* createGroup(const InputGroup& group);
  QWidget* createRequests();
  QWidget* createInput(const InputCell& cell);
  void createConnections();
  void showInput();
  void edited();
  void recompute();
  void exportComplaint();
  void print();

  static constexpr std::size_t kFields = complaint::complaintFields.size();

  CalculatorWindow* window_;
  bool showing_ = false;  // the controls are being set from the window's inputs
  complaint::Complaint complaint_;
  QComboBox* idTypeBox_ = nullptr;
  std::array<QComboBox*, kFields> lists_{};       // the pick-only lists
  std::array<QLineEdit*, kFields> edits_{};       // the one-line boxes
  std::array<QPlainTextEdit*, kFields> texts_{};  // the free texts
  QPlainTextEdit* requests_ = nullptr;
  QLabel* fee_ = nullptr;
  QLabel* fault_ = nullptr;
  QAction* exportAction_ = nullptr;
  QPushButton* exportButton_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace quorvane::window
