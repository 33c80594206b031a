#include "standards_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>
#include <variant>

#include "controls.h"
#include "platform.h"
#include "standards_file.h"

namespace quorvane::window {
namespace {

const QString kTitle = QStringLiteral("年度标准");

int builtInCount() {
  return static_cast<int>(builtInStandards.size());
}

void warn(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, kTitle, text);
}

}  // namespace

QString examplesFolder() {
  const QString beside =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/quorvane/examples");
  if (QFileInfo(beside).isDir()) return QDir(beside).canonicalPath();
  const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("doc/quorvane/examples"),
                                                   QStandardPaths::LocateDirectory);
  return installed.isEmpty() ? QDir::homePath() : installed;
}

StandardsDialog::StandardsDialog(const StandardsTable& table, QString refusal, QString pickedYear,
                                 QWidget* parent)
    : QDialog(parent), pickedYear_(std::move(pickedYear)), fileRefused_(!refusal.isEmpty()) {
  setObjectName(QStringLiteral("年度标准窗"));
  setWindowTitle(kTitle);
  createWidgets(refusal);
  createConnections();
  showRows(standards::fileRowTexts(table));
  resize(840, 420);
}

void StandardsDialog::createWidgets(const QString& refusal) {
  auto* layout = new QVBoxLayout(this);

  refusalLabel_ = new QLabel(refusal, this);
  refusalLabel_->setObjectName(QStringLiteral("标准文件未采用说明"));
  refusalLabel_->setWordWrap(true);
  refusalLabel_->setTextFormat(Qt::PlainText);
  refusalLabel_->setVisible(!refusal.isEmpty());
  layout->addWidget(refusalLabel_);

  table_ = new QTableWidget(0, static_cast<int>(standards::kColumns.size()), this);
  table_->setObjectName(QStringLiteral("年度标准表"));
  table_->setAccessibleName(kTitle);
  QStringList headers;
  for (const auto column : standards::kColumns) headers << qs(column);
  table_->setHorizontalHeaderLabels(headers);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setWordWrap(false);  // one line a year; a long 来源 shows whole in its tooltip
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  layout->addWidget(table_);

  auto* buttons = new QHBoxLayout;
  auto button = [&](const char* name, const QString& caption) {
    auto* made = new QPushButton(caption, this);
    made->setObjectName(QString::fromUtf8(name));
    made->setAutoDefault(false);
    buttons->addWidget(made);
    return made;
  };
  addButton_ = button("添加按钮", QStringLiteral("添加"));
  deleteButton_ = button("删除按钮", QStringLiteral("删除"));
  importButton_ = button("导入按钮", QStringLiteral("导入…"));
  buttons->addStretch();
  saveButton_ = button("保存按钮", QStringLiteral("保存"));
  cancelButton_ = button("取消按钮", QStringLiteral("取消"));
  layout->addLayout(buttons);
}

void StandardsDialog::createConnections() {
  connect(addButton_, &QPushButton::clicked, this, &StandardsDialog::addRow);
  connect(deleteButton_, &QPushButton::clicked, this, &StandardsDialog::deleteRows);
  connect(importButton_, &QPushButton::clicked, this, &StandardsDialog::chooseImport);
  connect(saveButton_, &QPushButton::clicked, this, &StandardsDialog::save);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(table_, &QTableWidget::itemSelectionChanged, this, &StandardsDialog::updateButtons);
  connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() == table_->columnCount() - 1 && item->row() >= builtInCount()) {
      item->setToolTip(item->text());
    }
  });
}

void StandardsDialog::showRows(const std::vector<standards::RowTexts>& rows) {
  const auto builtIn = standards::builtInRowTexts();
  table_->clearContents();
  table_->setRowCount(builtInCount() + static_cast<int>(rows.size()));
  auto fill = [this](int row, const standards::RowTexts& texts, bool editable) {
    for (int column = 0; column < table_->columnCount(); ++column) {
      auto* item = new QTableWidgetItem(qs(texts[static_cast<std::size_t>(column)]));
      if (!editable) {
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        item->setToolTip(QStringLiteral("内置标准，不能修改"));
      }
      table_->setItem(row, column, item);  // a file row's 来源 takes its tooltip now
    }
  };
  for (std::size_t i = 0; i < builtIn.size(); ++i) fill(static_cast<int>(i), builtIn[i], false);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    fill(builtInCount() + static_cast<int>(i), rows[i], true);
  }
  updateButtons();
}

std::vector<standards::RowTexts> StandardsDialog::fileRows() const {
  std::vector<standards::RowTexts> rows;
  for (int row = builtInCount(); row < table_->rowCount(); ++row) {
    standards::RowTexts texts;
    for (int column = 0; column < table_->columnCount(); ++column) {
      const QTableWidgetItem* item = table_->item(row, column);
      texts[static_cast<std::size_t>(column)] = item ? item->text().toStdString() : std::string();
    }
    rows.push_back(std::move(texts));
  }
  return rows;
}

void StandardsDialog::updateButtons() {
  const auto selected = table_->selectedItems();
  deleteButton_->setEnabled(std::any_of(selected.begin(), selected.end(), [](const auto* item) {
    return item->row() >= builtInCount();
  }));
}

void StandardsDialog::addRow() {
  auto rows = fileRows();
  const std::size_t at = standards::addRow(rows, pickedYear_.toStdString());
  showRows(rows);
  const int row = builtInCount() + static_cast<int>(at);
  // The year is filled in: the user goes on with the income.
  table_->setCurrentCell(row, 1);
  table_->editItem(table_->item(row, 1));
}

void StandardsDialog::deleteRows() {
  std::set<std::size_t> doomed;
  for (const auto* item : table_->selectedItems()) {
    if (item->row() >= builtInCount())
      doomed.insert(static_cast<std::size_t>(item->row() - builtInCount()));
  }
  auto rows = fileRows();
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  showRows(rows);
}

void StandardsDialog::chooseImport() {
  QFileDialog dialog(this, QStringLiteral("导入标准文件"), examplesFolder(),
                     QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)"));
  dialog.setObjectName(QStringLiteral("导入标准文件窗"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    importFrom(dialog.selectedFiles().constFirst());
  }
}

void StandardsDialog::importFrom(const QString& path) {
  const std::string name = path.toStdString();
  auto loaded = standards::loadStandardsFile(name, true);
  if (const auto* error = std::get_if<standards::FileError>(&loaded)) {
    warn(this, QStringLiteral("标准文件未使用：") + qs(standards::describeChinese(name, *error)));
    return;
  }
  const StandardsTable imported = std::move(*std::get<std::optional<StandardsTable>>(loaded));
  auto rows = fileRows();
  bool replace = false;
  if (const auto years = standards::conflictingYears(rows, imported); !years.empty()) {
    QMessageBox question(QMessageBox::Question, kTitle,
                         qs(standards::conflictQuestionChinese(years)), QMessageBox::NoButton,
                         this);
    const auto* replaceButton = question.addButton(QStringLiteral("替换"), QMessageBox::YesRole);
    question.addButton(QStringLiteral("保留"), QMessageBox::NoRole);
    question.addButton(QMessageBox::Cancel);
    question.exec();
    if (question.buttonRole(question.clickedButton()) == QMessageBox::RejectRole) return;
    replace = question.clickedButton() == replaceButton;
  }
  showRows(standards::importRows(std::move(rows), imported, replace));
}

void StandardsDialog::save() {
  const auto rows = fileRows();
  auto checked = standards::readStandardsRows(rows);
  if (const auto* error = std::get_if<standards::FileError>(&checked)) {
    const int row = builtInCount() + static_cast<int>(error->row) - 1;
    table_->setCurrentCell(row, static_cast<int>(error->column.value_or(0)));
    table_->setFocus(Qt::OtherFocusReason);
    warn(this, qs(standards::describeRowChinese(*error)));
    return;
  }
  const QString path = QString::fromStdString(standards::userStandardsPath());
  if (path.isEmpty()) {
    warn(this, QStringLiteral("标准文件未保存：找不到用户的主目录。"));
    return;
  }
  if (fileRefused_ && QFileInfo::exists(path)) {
    const QString backup = path + QStringLiteral(".bak");
    const auto answer = QMessageBox::question(
        this, kTitle,
        QStringLiteral("启动时未采用的标准文件将被替换：\n%1\n原文件将保留为 %2。是否保存？")
            .arg(path, backup));
    if (answer != QMessageBox::Yes) return;
    QFile::remove(backup);
    if (!QFile::copy(path, backup)) {
      warn(this, QStringLiteral("标准文件未保存：无法保留原文件为 %1。").arg(backup));
      return;
    }
  }
  auto& table = std::get<StandardsTable>(checked);
  if (!write(path, standards::standardsFileText(table))) return;
  saved_ = std::move(table);
  fileRefused_ = false;
  accept();
}

bool StandardsDialog::write(const QString& path, const std::string& text) {
  const QString folder = QFileInfo(path).absolutePath();
  const QString why = QDir().mkpath(folder) ? platform::writeWhole(path, text)
                                            : QStringLiteral("无法创建文件夹 %1").arg(folder);
  if (!why.isEmpty()) {
    warn(this, QStringLiteral("标准文件未保存：%1\n%2\n原文件没有改动。").arg(path, why));
  }
  return why.isEmpty();
}

}  // namespace quorvane::window
