#pragma once

// The 年度标准 dialog: every standards row in force in one table, the
// built-in rows read-only on top, then the rows of the user's standards file,
// which the user adds, corrects, deletes and imports from another file. 保存
// checks the file rows by the file reader's own rules and writes them whole
// (QSaveFile) to the user's standards file; a fault names its cell and writes
// nothing. The dialog's rules (the row 添加 makes, how 导入 merges, the
// messages) are shared with the page (standards_edit.h).

#include <QDialog>
#include <QString>
#include <vector>

#include "calc.h"
#include "standards_edit.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvane::window {

class StandardsDialog : public QDialog {
  Q_OBJECT
 public:
  // refusal says why the user's file was refused at start-up (empty when it
  // was not); pickedYear is the window's accident year, for 添加.
  StandardsDialog(const StandardsTable& table, QString refusal, QString pickedYear,
                  QWidget* parent = nullptr);

  // The file rows as the table shows them now.
  [[nodiscard]] std::vector<standards::RowTexts> fileRows() const;

  // 导入 from that file: the reader's refusal, or the rows merged in (asking
  // about years the table holds already).
  void importFrom(const QString& path);

  // The table that 保存 wrote; the built-in rows alone until then.
  [[nodiscard]] const StandardsTable& savedTable() const { return saved_; }

 private:
  void createWidgets(const QString& refusal);
  void createConnections();
  void showRows(const std::vector<standards::RowTexts>& rows);
  void updateButtons();

  void addRow();
  void deleteRows();
  void chooseImport();
  void save();
  bool write(const QString& path, const std::string& text);

  QString pickedYear_;
  bool fileRefused_ = false;
  StandardsTable saved_;
  QLabel* refusalLabel_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* importButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

// Where 导入 opens: the folder of the example standards file that the package
// installs, or the user's home when there is none.
[[nodiscard]] QString examplesFolder();

}  // namespace quorvane::window
