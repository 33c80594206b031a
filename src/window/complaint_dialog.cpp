#include "complaint_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "case_document.h"
#include "case_file.h"
#include "complaint_dialog_layout.h"
#include "complaint_export.h"
#include "controls.h"
#include "window.h"

namespace quorvane::window {
namespace {

// What a box takes stays within what a case file holds, whatever the
// characters: UTF-8 needs at most three bytes for each UTF-16 unit.
constexpr int kMostShort = static_cast<int>(cases::kLongestField / 3);
constexpr int kMostFree = static_cast<int>(cases::kLongestText / 3);
constexpr int kFreeTextLines = 3;
constexpr int kRequestLines = 5;

// An empty kind of document is the first kind; any other text is as typed.
std::string idType(std::string text) {
  return text == kIdTypes.front() ? std::string() : text;
}

// One line end, as the free texts' boxes write them.
std::string plainLines(std::string text) {
  std::string lines;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\r') {
      lines += text[k];
    } else if (k + 1 == text.size() || text[k + 1] != '\n') {
      lines += '\n';
    }
  }
  return lines;
}

// A box that shows that many of its lines, and more when the dialog is made taller.
void fitLines(QPlainTextEdit* edit, int lines) {
  const int margins = 2 * (edit->frameWidth() + qCeil(edit->document()->documentMargin()));
  edit->setMinimumHeight(lines * edit->fontMetrics().lineSpacing() + margins + 2);
  edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
}

}  // namespace

// The window's side: its complaint inputs and the one dialog that edits them.

ComplaintDialog* CalculatorWindow::showComplaint(const QByteArray& geometry) {
  return showOwnDialog<ComplaintDialog>(geometry);
}

void CalculatorWindow::setComplaintInput(const complaint::ComplaintInput& input) {
  const complaint::ComplaintInput shown = shownComplaint(input);
  if (shown == complaintInput_) return;
  complaintInput_ = shown;
  document_->update();
  emit complaintInputChanged();
}

complaint::ComplaintInput shownComplaint(complaint::ComplaintInput input) {
  clearUnoffered(input, complaint::complaintFields, complaintPickLists());
  std::string& kind = input.*complaint::complaintFields[kIdTypeField].member;
  kind = idType(std::move(kind));
  for (std::size_t i = 0; i < complaint::complaintFields.size(); ++i) {
    std::string& text = input.*complaint::complaintFields[i].member;
    if (freeText(i)) text = plainLines(std::move(text));
  }
  return input;
}

ComplaintDialog::ComplaintDialog(CalculatorWindow* window) : QDialog(window), window_(window) {
  setObjectName(QStringLiteral("起诉状窗"));
  setWindowTitle(QStringLiteral("起诉状"));
  createWidgets();
  keepShortcutFromTextBoxes(this, QKeySequence(Qt::CTRL | Qt::Key_E));
  showInput();
  recompute();
  createConnections();
  resize(sizeHint());  // all of it in sight, where Qt would open a large dialog smaller
}

void ComplaintDialog::createWidgets() {
  auto* layout = new QGridLayout(this);
  for (const auto& placed : complaintGroups()) {
    layout->addWidget(createGroup(placed.group), placed.row, placed.column, placed.rowSpan,
                      placed.columnSpan);
  }
  layout->addWidget(createRequests(), kRequestsPlace.row, kRequestsPlace.column,
                    kRequestsPlace.rowSpan, kRequestsPlace.columnSpan);
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(kRequestsPlace.row, 1);  // a taller dialog shows more of the texts

  auto* buttons = new QHBoxLayout;
  exportButton_ = new QPushButton(QStringLiteral("导出起诉状…"), this);
  exportButton_->setObjectName(QStringLiteral("导出起诉状按钮"));
  exportButton_->setToolTip(QStringLiteral("保存为 OpenDocument 文本（.odt）（Ctrl+E）"));
  // The key runs the export at once, where a button's own shortcut would animate a click first.
  exportAction_ = new QAction(this);
  exportAction_->setObjectName(QStringLiteral("导出起诉状动作"));
  exportAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  addAction(exportAction_);
  printButton_ = new QPushButton(QStringLiteral("打印…"), this);
  printButton_->setObjectName(QStringLiteral("打印起诉状按钮"));
  closeButton_ = new QPushButton(QStringLiteral("关闭"), this);
  closeButton_->setObjectName(QStringLiteral("关闭按钮"));
  for (auto* button : {exportButton_, printButton_, closeButton_}) button->setAutoDefault(false);
  buttons->addWidget(exportButton_);
  buttons->addWidget(printButton_);
  buttons->addStretch();
  buttons->addWidget(closeButton_);
  layout->addLayout(buttons, kRequestsPlace.row + 1, 0, 1, 2);
}

QWidget* ComplaintDialog::createGroup(const InputGroup& group) {
  auto* frame = new QGroupBox(qs(group.title), this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  const InputCell* previous = nullptr;
  QLabel* caption = nullptr;
  for (const auto& cell : group.cells) {
    if (!cell.caption.empty()) {
      caption = new QLabel(qs(cell.caption), frame);
      grid->addWidget(caption, cell.row, cell.column);
    } else {
      QWidget* box = createInput(cell);
      const bool captioned = previous != nullptr && !previous->caption.empty() &&
                             previous->row == cell.row && previous->column + 1 == cell.column;
      if (captioned) {
        caption->setBuddy(box);
        // Beside a box of several lines, at its first line.
        if (freeText(cell.field)) grid->setAlignment(caption, Qt::AlignLeft | Qt::AlignTop);
      }
      grid->addWidget(box, cell.row, cell.column, 1, cell.columnSpan);
    }
    previous = &cell;
  }
  return frame;
}

QWidget* ComplaintDialog::createRequests() {
  auto* frame = new QGroupBox(qs(kRequestsPlace.group.title), this);
  auto* column = new QVBoxLayout(frame);
  requests_ = new QPlainTextEdit(frame);
  requests_->setObjectName(QStringLiteral("起诉状请求"));
  requests_->setAccessibleName(QStringLiteral("诉讼请求"));
  requests_->setReadOnly(true);
  requests_->setTabChangesFocus(true);
  fitLines(requests_, kRequestLines);
  fee_ = new QLabel(frame);
  fee_->setObjectName(QStringLiteral("起诉状受理费"));
  fee_->setWordWrap(true);
  fee_->setTextFormat(Qt::PlainText);
  fee_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  fault_ = new QLabel(frame);
  fault_->setObjectName(QStringLiteral("起诉状提示"));
  fault_->setWordWrap(true);
  fault_->setTextFormat(Qt::PlainText);
  // Room kept for a message of two lines, so that one does not resize the dialog.
  fault_->setMinimumHeight(2 * fault_->fontMetrics().lineSpacing());
  fault_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette red = fault_->palette();
  red.setColor(QPalette::WindowText, Qt::darkRed);
  fault_->setPalette(red);
  column->addWidget(requests_, 1);
  column->addWidget(fee_);
  column->addWidget(fault_);
  return frame;
}

QWidget* ComplaintDialog::createInput(const InputCell& cell) {
  const std::size_t i = cell.field;
  QWidget* box = nullptr;
  if (i == kIdTypeField) {
    idTypeBox_ = new QComboBox(this);
    idTypeBox_->setEditable(true);
    idTypeBox_->setInsertPolicy(QComboBox::NoInsert);
    for (const auto kind : kIdTypes) idTypeBox_->addItem(qs(kind));
    idTypeBox_->lineEdit()->setMaxLength(kMostShort);
    box = idTypeBox_;
  } else if (const auto* pick = complaintPickList(i)) {
    auto* list = new DropDownList(this);
    for (const auto text : pick->items) {
      if (!text.empty()) list->addItem(qs(text));
    }
    lists_[i] = list;
    box = list;
  } else if (freeText(i)) {
    auto* text = new QPlainTextEdit(this);
    text->setPlaceholderText(qs(cell.placeholder));
    text->setTabChangesFocus(true);  // Tab goes on to the next input, as in a form
    fitLines(text, kFreeTextLines);
    texts_[i] = text;
    box = text;
  } else {
    auto* edit = new QLineEdit(this);
    edit->setPlaceholderText(qs(cell.placeholder));
    edit->setMaxLength(kMostShort);
    edits_[i] = edit;
    box = edit;
  }
  const QString name = qs(complaint::complaintFields[i].name);
  box->setObjectName(name);
  box->setAccessibleName(name);
  box->setMinimumWidth(
      cell.chars == 0 ? 90 : cell.chars * box->fontMetrics().horizontalAdvance(QChar(0x4E2D)) + 16);
  return box;
}

void ComplaintDialog::createConnections() {
  // The window's 31 fields, the standards and the claim inputs: the requests follow each change.
  for (const auto& field : inputFields) {
    QWidget* input = window_->control(field.name);
    if (auto* list = qobject_cast<QComboBox*>(input)) {
      connect(list, &QComboBox::currentIndexChanged, this, &ComplaintDialog::recompute);
    } else {
      connect(static_cast<QLineEdit*>(input), &QLineEdit::textChanged, this,
              &ComplaintDialog::recompute);
    }
  }
  connect(window_, &CalculatorWindow::standardsChanged, this, &ComplaintDialog::recompute);
  connect(window_, &CalculatorWindow::claimInputChanged, this, &ComplaintDialog::recompute);
  connect(window_, &CalculatorWindow::complaintInputChanged, this, [this] {
    showInput();
    recompute();
  });

  connect(idTypeBox_, &QComboBox::currentTextChanged, this, &ComplaintDialog::edited);
  for (std::size_t i = 0; i < kFields; ++i) {
    if (lists_[i] != nullptr) {
      connect(lists_[i], &QComboBox::currentIndexChanged, this, &ComplaintDialog::edited);
    } else if (edits_[i] != nullptr) {
      connect(edits_[i], &QLineEdit::textChanged, this, &ComplaintDialog::edited);
    } else if (QPlainTextEdit* text = texts_[i]) {
      connect(text, &QPlainTextEdit::textChanged, this, [this, text] {
        // A text past what a case file holds is cut at its end.
        QTextDocument* lines = text->document();
        if (lines->characterCount() - 1 > kMostFree) {  // its last paragraph's end aside
          QTextCursor cut(lines);
          cut.setPosition(kMostFree);
          cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
          cut.removeSelectedText();  // which comes back here
          return;
        }
        edited();
      });
    }
  }
  connect(exportAction_, &QAction::triggered, this, &ComplaintDialog::exportComplaint);
  connect(exportButton_, &QPushButton::clicked, this, &ComplaintDialog::exportComplaint);
  connect(printButton_, &QPushButton::clicked, this, &ComplaintDialog::print);
  connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);
}

void ComplaintDialog::showInput() {
  const bool wasShowing = std::exchange(showing_, true);
  const complaint::ComplaintInput& input = window_->complaintInput();
  for (std::size_t i = 0; i < kFields; ++i) {
    const std::string& value = input.*complaint::complaintFields[i].member;
    const QString text = qs(value);
    if (i == kIdTypeField) {
      // A box cleared to type another kind stays empty while it is typed.
      if (idType(idTypeBox_->currentText().toStdString()) != value) {
        idTypeBox_->setEditText(value.empty() ? qs(kIdTypes.front()) : text);
      }
    } else if (lists_[i] != nullptr) {
      lists_[i]->setCurrentIndex(text.isEmpty() ? 0 : lists_[i]->findText(text));
    } else if (edits_[i] != nullptr) {
      if (edits_[i]->text() != text) edits_[i]->setText(text);
    } else if (texts_[i]->toPlainText() != text) {
      texts_[i]->setPlainText(text);
    }
  }
  showing_ = wasShowing;
}

void ComplaintDialog::edited() {
  if (showing_) return;
  complaint::ComplaintInput input;
  for (std::size_t i = 0; i < kFields; ++i) {
    const QString text = i == kIdTypeField      ? idTypeBox_->currentText()
                         : lists_[i] != nullptr ? lists_[i]->currentText()
                         : edits_[i] != nullptr ? edits_[i]->text()
                                                : texts_[i]->toPlainText();
    input.*complaint::complaintFields[i].member = text.toStdString();
  }
  window_->setComplaintInput(input);  // which comes back here as complaintInputChanged
}

void ComplaintDialog::recompute() {
  complaint_ = complaint::makeComplaint(window_->caseInput(), window_->claimInput(),
                                        window_->complaintInput(), window_->standards());
  QStringList requests;
  for (const auto& request : complaint_.requests) requests << qs(request);
  requests_->setPlainText(requests.join(QLatin1Char('\n')));
  fee_->setText(qs(complaint_.feeLine));
  fault_->setText(qs(complaint_.fault));
  const bool refused = !complaint_.fault.empty();
  exportButton_->setEnabled(!refused);
  printButton_->setEnabled(!refused);
  exportAction_->setEnabled(!refused);
}

void ComplaintDialog::exportComplaint() {
  if (!complaint_.fault.empty()) return;
  // Qt's own dialog, as the case files use: the same everywhere, and tests can drive it.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QFileDialog dialog(this, QStringLiteral("导出起诉状"),
                     complaintFileName(window_->document().path(), folder),
                     QStringLiteral("OpenDocument 文本 (*.odt);;所有文件 (*)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("odt"));
  dialog.setObjectName(QStringLiteral("导出起诉状窗"));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    exportTo(dialog.selectedFiles().constFirst());
  }
}

bool ComplaintDialog::exportTo(const QString& path) {
  const QString why =
      complaint_.fault.empty() ? writeComplaint(path, complaint_.form) : qs(complaint_.fault);
  if (!why.isEmpty()) {
    QMessageBox::warning(this, qs(kProgramTitle),
                         QStringLiteral("起诉状未导出：%1\n%2").arg(path, why));
    return false;
  }
  return true;
}

void ComplaintDialog::print() {
  if (!complaint_.fault.empty()) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("打印起诉状"));
  if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

void ComplaintDialog::printTo(QPrinter& printer) const {
  if (complaint_.fault.empty()) printComplaint(printer, complaint_.form);
}

}  // namespace quorvane::window
