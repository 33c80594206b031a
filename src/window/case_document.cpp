#include "case_document.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <variant>

#include "case_file.h"
#include "controls.h"
#include "platform.h"
#include "window.h"

namespace quorvane::window {
namespace {

constexpr int kRecentCount = 5;
const QString kRecentKey = QStringLiteral("recentCases");
const QString kFilter = QStringLiteral("案例文件 (*.csv);;所有文件 (*)");

// Qt's own dialog, not the desktop's: the same everywhere, and tests can drive it.
QString askFileName(QWidget* parent, const QString& title, const QString& start, bool saving) {
  QFileDialog dialog(parent, title, start, kFilter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (saving) dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.setObjectName(saving ? QStringLiteral("保存案例窗") : QStringLiteral("打开案例窗"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

bool sameCase(const CaseInput& a, const CaseInput& b) {
  for (const auto& field : inputFields) {
    if (a.*field.member != b.*field.member) return false;
  }
  return true;
}

}  // namespace

CaseDocument::CaseDocument(CalculatorWindow* window) : QObject(window), window_(window) {
  auto action = [this](const char* name, const QString& text, const QKeySequence& keys) {
    auto* made = new QAction(text, this);
    made->setObjectName(QString::fromUtf8(name));
    made->setShortcut(keys);
    made->setShortcutContext(Qt::WindowShortcut);
    return made;
  };
  saveAction_ = action("保存案例动作", QStringLiteral("保存案例"), QKeySequence::Save);
  saveAsAction_ = action("另存案例动作", QStringLiteral("另存为…"),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  openAction_ = action("打开案例动作", QStringLiteral("打开案例…"), QKeySequence::Open);
  copyAction_ = action("复制结果动作", QStringLiteral("复制结果"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  copyAction_->setEnabled(false);
  connect(saveAction_, &QAction::triggered, this, &CaseDocument::save);
  connect(saveAsAction_, &QAction::triggered, this, &CaseDocument::saveAs);
  connect(openAction_, &QAction::triggered, this, &CaseDocument::chooseAndOpen);
  connect(copyAction_, &QAction::triggered, this, &CaseDocument::copyResults);
}

QList<QAction*> CaseDocument::actions() const {
  return {saveAction_, saveAsAction_, openAction_, copyAction_};
}

bool CaseDocument::modified() const {
  return !path_.isEmpty() &&
         (!sameCase(window_->caseInput(), saved_) || window_->claimInput() != savedClaim_ ||
          window_->complaintInput() != savedComplaint_);
}

void CaseDocument::update() {
  copyAction_->setEnabled(window_->hasResults());
  if (path_.isEmpty()) return;  // an unsaved case keeps the plain title
  // The document alone: the desktop's platform adds " — Quorvane" (the display name) itself.
  window_->setWindowTitle(QFileInfo(path_).fileName() + QStringLiteral("[*]"));
  window_->setWindowModified(modified());
}

bool CaseDocument::mayDiscard() {
  if (!modified()) return true;
  QMessageBox question(
      QMessageBox::Question, qs(kProgramTitle),
      QStringLiteral("案例“%1”已修改。是否保存？").arg(QFileInfo(path_).fileName()),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window_);
  question.setDefaultButton(QMessageBox::Save);
  switch (question.exec()) {
    case QMessageBox::Save:
      return saveTo(path_);
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void CaseDocument::save() {
  if (path_.isEmpty()) {
    saveAs();
  } else {
    saveTo(path_);
  }
}

QString CaseDocument::startFolder() const {
  return path_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                         : QFileInfo(path_).absolutePath();
}

void CaseDocument::saveAs() {
  const CaseInput shown = window_->caseInput();
  QString name = QStringLiteral("案例.csv");
  if (!shown.事故发生日年.empty()) {
    name = QStringLiteral("案例-%1-%2-%3.csv")
               .arg(qs(shown.事故发生日年), qs(shown.事故发生日月), qs(shown.事故发生日日));
  }
  const QString chosen = askFileName(window_, QStringLiteral("保存案例"),
                                     startFolder() + QLatin1Char('/') + name, true);
  if (!chosen.isEmpty()) saveTo(chosen);
}

bool CaseDocument::saveTo(const QString& path) {
  const CaseInput shown = window_->caseInput();
  const std::string text =
      cases::caseFileText(shown, window_->claimInput(), window_->complaintInput());
  if (const QString why = platform::writeWhole(path, text); !why.isEmpty()) {
    QMessageBox::warning(window_, qs(kProgramTitle),
                         QStringLiteral("案例未保存：%1\n%2").arg(path, why));
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  saved_ = shown;
  savedClaim_ = window_->claimInput();
  savedComplaint_ = window_->complaintInput();
  remember(path_);
  update();
  return true;
}

void CaseDocument::chooseAndOpen() {
  const QString chosen = askFileName(window_, QStringLiteral("打开案例"), startFolder(), false);
  if (!chosen.isEmpty()) open(chosen);
}

bool CaseDocument::open(const QString& path) {
  if (!mayDiscard()) return false;
  QFile file(path);
  std::variant<std::vector<cases::CaseEntry>, batch::InputError> read;
  if (!file.open(QIODevice::ReadOnly)) {
    read = batch::InputError{0, file.errorString().toStdString()};
  } else {
    // One byte past the largest case file is enough to refuse a larger one.
    const QByteArray bytes = file.read(static_cast<qint64>(cases::kLargestFile) + 1);
    read = cases::readCaseFile({bytes.constData(), static_cast<std::size_t>(bytes.size())});
  }
  if (const auto* error = std::get_if<batch::InputError>(&read)) {
    const QString where =
        error->line > 0 ? QStringLiteral("%1:%2").arg(path).arg(error->line) : path;
    QMessageBox::warning(window_, qs(kProgramTitle),
                         QStringLiteral("案例文件未打开：%1: %2").arg(where, qs(error->reason)));
    return false;
  }
  const auto& entries = std::get<std::vector<cases::CaseEntry>>(read);
  std::size_t pick = 0;
  if (entries.size() > 1) {
    QStringList items;
    for (const auto& entry : entries) {
      items << QStringLiteral("第 %1 行").arg(entry.line) +
                   (entry.caseNumber.empty() ? QString()
                                             : QStringLiteral("  ") + qs(entry.caseNumber));
    }
    QInputDialog chooser(window_);
    chooser.setObjectName(QStringLiteral("选择案例窗"));
    chooser.setWindowTitle(QStringLiteral("打开案例"));
    chooser.setLabelText(QStringLiteral("%1 中有 %2 个案例，打开哪一个？")
                             .arg(QFileInfo(path).fileName())
                             .arg(entries.size()));
    chooser.setComboBoxItems(items);
    chooser.setOption(QInputDialog::UseListViewForComboBoxItems);
    if (chooser.exec() != QDialog::Accepted) return false;
    pick =
        static_cast<std::size_t>(std::max(0, static_cast<int>(items.indexOf(chooser.textValue()))));
  }
  window_->showCase(entries[pick].input, entries[pick].claim, entries[pick].complaint);
  path_ = QFileInfo(path).absoluteFilePath();
  saved_ = window_->caseInput();  // as shown: a list text that is not offered is no change
  savedClaim_ = window_->claimInput();
  savedComplaint_ = window_->complaintInput();
  remember(path_);
  update();
  return true;
}

namespace {

QString rowsText(const QList<QStringList>& rows) {
  QString text;
  for (const QStringList& cells : rows) text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  return text;
}

QString htmlRow(const QStringList& cells, const QString& tag) {
  QString row = QStringLiteral("<tr>");
  for (const QString& cell : cells) {
    row += QStringLiteral("<%1>%2</%1>").arg(tag, cell.toHtmlEscaped());
  }
  return row + QStringLiteral("</tr>");
}

}  // namespace

void copyTable(const QStringList& header, const QList<QStringList>& rows) {
  QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
  if (!header.isEmpty()) html += htmlRow(header, QStringLiteral("th"));
  for (const QStringList& cells : rows) html += htmlRow(cells, QStringLiteral("td"));
  auto* data = new QMimeData;
  data->setText(rowsText(header.isEmpty() ? rows : QList<QStringList>{header} + rows));
  data->setHtml(html + QStringLiteral("</table>"));
  QApplication::clipboard()->setMimeData(data);
}

void copyRows(const CopiedRows& rows) {
  QList<QStringList> cells;
  for (const auto& [caption, value] : rows) cells.append({caption, value});
  copyTable({}, cells);
}

void CaseDocument::copyResults() {
  copyRows(resultRows());
}

CopiedRows CaseDocument::resultRows() const {
  CopiedRows rows;
  for (const auto& field : resultFields) {
    const QWidget* box = window_->control(field.name);
    rows.append({box->accessibleName(), static_cast<const QLineEdit*>(box)->text()});
  }
  return rows;
}

namespace {

// Beside the standards file: ~/.config/quorvane/quorvane.ini.
struct Settings : QSettings {
  Settings()
      : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quorvane"),
                  QStringLiteral("quorvane")) {}
};

}  // namespace

QStringList CaseDocument::recentFiles() {
  return Settings().value(kRecentKey).toStringList();
}

void CaseDocument::remember(const QString& path) {
  QStringList recent = recentFiles();
  recent.removeAll(path);
  recent.prepend(path);
  Settings().setValue(kRecentKey, recent.mid(0, kRecentCount));
}

void CaseDocument::addRecentFiles(QMenu& menu) {
  const QStringList recent = recentFiles();
  if (recent.isEmpty()) return;
  menu.addSeparator();
  for (const QString& path : recent) {
    QAction* item = menu.addAction(QFileInfo(path).fileName());
    item->setToolTip(path);
    connect(item, &QAction::triggered, this, [this, path] { open(path); });
  }
}

}  // namespace quorvane::window
