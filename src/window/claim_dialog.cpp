#include "claim_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "case_document.h"
#include "claim_dialog_layout.h"
#include "claim_document.h"
#include "claim_export.h"
#include "controls.h"
#include "court_fee.h"
#include "window.h"

namespace quorvane::window {
namespace {

// Rows in sight without scrolling: an injury of two cars with every item claimed.
constexpr int kRowsInSight = 26;
constexpr int kAmountColumn = 3;

}  // namespace

// The window's side: its claim inputs and the one dialog that edits them.

ClaimDialog* CalculatorWindow::showClaim(const QByteArray& geometry) {
  return showOwnDialog<ClaimDialog>(geometry);
}

void CalculatorWindow::setClaimInput(const claim::ClaimInput& input) {
  const claim::ClaimInput shown = shownClaim(input);
  if (shown == claimInput_) return;
  claimInput_ = shown;
  document_->update();
  emit claimInputChanged();
}

claim::ClaimInput shownClaim(claim::ClaimInput input) {
  clearUnoffered(input, claim::claimFields, pickLists());
  return input;
}

ClaimDialog::ClaimDialog(CalculatorWindow* window) : QDialog(window), window_(window) {
  setObjectName(QStringLiteral("赔偿清单窗"));
  setWindowTitle(QStringLiteral("赔偿清单"));
  createWidgets();
  keepShortcutFromTextBoxes(this, QKeySequence(Qt::CTRL | Qt::Key_E));
  offerYears();
  showInput();
  recompute();
  createConnections();
}

void ClaimDialog::createWidgets() {
  // The inputs on the left, the sheet beside them: all of it in sight at once.
  auto* layout = new QGridLayout(this);
  layout->addLayout(createInputs(), 0, 0);
  layout->addLayout(createSheet(), 0, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(0, 1);

  auto* buttons = new QHBoxLayout;
  copyButton_ = new QPushButton(QStringLiteral("复制清单"), this);
  copyButton_->setObjectName(QStringLiteral("复制清单按钮"));
  exportButton_ = new QPushButton(QStringLiteral("导出清单…"), this);
  exportButton_->setObjectName(QStringLiteral("导出清单按钮"));
  exportButton_->setToolTip(QStringLiteral("保存为 OpenDocument 文本（.odt）（Ctrl+E）"));
  // The key runs the export at once, where a button's own shortcut would animate a click first.
  auto* exportAction = new QAction(this);
  exportAction->setObjectName(QStringLiteral("导出清单动作"));
  exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  connect(exportAction, &QAction::triggered, this, &ClaimDialog::exportSheet);
  addAction(exportAction);
  complaintButton_ = new QPushButton(QStringLiteral("起诉状…"), this);
  complaintButton_->setObjectName(QStringLiteral("起诉状按钮"));
  complaintButton_->setToolTip(QStringLiteral("由本清单填写民事起诉状（机动车交通事故责任纠纷）"));
  closeButton_ = new QPushButton(QStringLiteral("关闭"), this);
  closeButton_->setObjectName(QStringLiteral("关闭按钮"));
  for (auto* button : {copyButton_, exportButton_, complaintButton_, closeButton_}) {
    button->setAutoDefault(false);
  }
  buttons->addWidget(copyButton_);
  buttons->addWidget(exportButton_);
  buttons->addWidget(complaintButton_);
  buttons->addStretch();
  buttons->addWidget(closeButton_);
  layout->addLayout(buttons, 1, 0, 1, 2);
}

QLayout* ClaimDialog::createInputs() {
  auto* inputs = new QVBoxLayout;
  for (const auto& group : inputGroups()) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnMinimumWidth(2, 12);
    if (group.title.empty()) {
      inputs->addLayout(grid);
    } else {
      auto* frame = new QGroupBox(qs(group.title), this);
      frame->setLayout(grid);
      inputs->addWidget(frame);
    }
    const InputCell* previous = nullptr;
    QLabel* caption = nullptr;
    for (const auto& cell : group.cells) {
      if (!cell.caption.empty()) {
        caption = new QLabel(qs(cell.caption), this);
        grid->addWidget(caption, cell.row, cell.column);
      } else {
        QWidget* box = createInput(cell);
        const bool captioned = previous != nullptr && !previous->caption.empty() &&
                               previous->row == cell.row && previous->column + 1 == cell.column;
        if (captioned) caption->setBuddy(box);
        grid->addWidget(box, cell.row, cell.column);
      }
      previous = &cell;
    }
  }

  notice_ = new QLabel(this);
  notice_->setObjectName(qs(claim::kNoticeColumn));
  notice_->setWordWrap(true);
  notice_->setTextFormat(Qt::PlainText);
  // Room kept for a refusal of a few lines, so that one does not resize the dialog.
  notice_->setMinimumHeight(3 * notice_->fontMetrics().lineSpacing());
  notice_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette red = notice_->palette();
  red.setColor(QPalette::WindowText, Qt::darkRed);
  notice_->setPalette(red);
  inputs->addWidget(notice_);
  inputs->addStretch();
  return inputs;
}

QLayout* ClaimDialog::createSheet() {
  auto* sheet = new QVBoxLayout;
  table_ = new QTableWidget(0, static_cast<int>(claim::kTableColumns.size()), this);
  table_->setObjectName(QStringLiteral("赔偿清单表"));
  table_->setAccessibleName(QStringLiteral("赔偿清单"));
  QStringList header;
  for (const auto name : claim::kTableColumns) header << qs(name);
  table_->setHorizontalHeaderLabels(header);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // One line a row: a long working or basis is cut with "…" and shown whole
  // as the cell's tooltip, and the copy and the export hold it whole.
  table_->setWordWrap(false);
  table_->setTextElideMode(Qt::ElideRight);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* columns = table_->horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::ResizeToContents);
  columns->setSectionResizeMode(2, QHeaderView::Stretch);
  columns->setSectionResizeMode(4, QHeaderView::Interactive);
  const QFontMetrics metrics = table_->fontMetrics();
  // The basis's law and article in sight; the working takes the rest.
  table_->setColumnWidth(
      4, metrics.horizontalAdvance(QStringLiteral("人身损害赔偿解释第十二条")) + 12);
  const int frame = 2 * table_->frameWidth();
  table_->setMinimumHeight(columns->sizeHint().height() +
                           kRowsInSight * table_->verticalHeader()->defaultSectionSize() + frame);
  // 序号, the longest name, an amount of eight digits, a useful part of the working, the basis.
  table_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("序号")) +
                          metrics.horizontalAdvance(QStringLiteral("交强险（死亡伤残）")) +
                          metrics.horizontalAdvance(QStringLiteral("99999999.99")) +
                          metrics.horizontalAdvance(QStringLiteral("32903 元 × 20 年")) +
                          table_->columnWidth(4) + 5 * 16 + frame);
  sheet->addWidget(table_);
  fee_ = new QLabel(this);
  fee_->setObjectName(QStringLiteral("案件受理费"));
  fee_->setTextFormat(Qt::PlainText);
  fee_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sheet->addWidget(fee_);
  return sheet;
}

QWidget* ClaimDialog::createInput(const InputCell& cell) {
  const std::size_t i = cell.field;
  QWidget* box = nullptr;
  QLineEdit* edit = nullptr;
  if (i == kYearField) {
    yearBox_ = new QComboBox(this);
    yearBox_->setEditable(true);
    yearBox_->setInsertPolicy(QComboBox::NoInsert);
    box = yearBox_;
    edit = yearBox_->lineEdit();
  } else if (const auto* pick = pickList(i)) {
    // Types ahead and ignores the wheel as the window's lists do.
    auto* list = new DropDownList(this);
    for (const auto text : pick->items) {
      if (!text.empty()) list->addItem(qs(text));
    }
    lists_[i] = list;
    box = list;
  } else {
    edits_[i] = edit = new QLineEdit(this);
    box = edit;
  }
  if (edit != nullptr) edit->setPlaceholderText(qs(cell.placeholder));
  const QString name = qs(claim::claimFields[i].name);
  box->setObjectName(name);
  box->setAccessibleName(name);
  box->setMinimumWidth(110);
  return box;
}

void ClaimDialog::createConnections() {
  // The window's 31 fields: the sheet follows each change.
  for (const auto& field : inputFields) {
    QWidget* input = window_->control(field.name);
    if (auto* list = qobject_cast<QComboBox*>(input)) {
      connect(list, &QComboBox::currentIndexChanged, this, &ClaimDialog::recompute);
    } else {
      connect(static_cast<QLineEdit*>(input), &QLineEdit::textChanged, this,
              &ClaimDialog::recompute);
    }
  }
  connect(window_, &CalculatorWindow::standardsChanged, this, [this] {
    offerYears();
    recompute();
  });
  connect(window_, &CalculatorWindow::claimInputChanged, this, [this] {
    showInput();
    recompute();
  });

  connect(yearBox_, &QComboBox::currentTextChanged, this, &ClaimDialog::edited);
  for (QComboBox* list : lists_) {
    if (list != nullptr) connect(list, &QComboBox::currentIndexChanged, this, &ClaimDialog::edited);
  }
  for (QLineEdit* edit : edits_) {
    if (edit != nullptr) connect(edit, &QLineEdit::textChanged, this, &ClaimDialog::edited);
  }
  connect(copyButton_, &QPushButton::clicked, this, &ClaimDialog::copySheet);
  connect(exportButton_, &QPushButton::clicked, this, &ClaimDialog::exportSheet);
  connect(complaintButton_, &QPushButton::clicked, this, [this] { window_->showComplaint(); });
  connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);
}

void ClaimDialog::offerYears() {
  // Every year of the standards in force, newest first; the text typed stays.
  QStringList years;
  for (const auto& row : window_->standards().rows()) years << qs(row.accidentYear);
  std::sort(years.begin(), years.end(), std::greater<>());
  const QString typed = yearBox_->currentText();
  const bool wasShowing = std::exchange(showing_, true);
  yearBox_->clear();
  yearBox_->addItems(years);
  yearBox_->setCurrentIndex(-1);
  yearBox_->setEditText(typed);
  showing_ = wasShowing;
}

void ClaimDialog::showInput() {
  const bool wasShowing = std::exchange(showing_, true);
  const claim::ClaimInput& input = window_->claimInput();
  for (std::size_t i = 0; i < claim::claimFields.size(); ++i) {
    const QString text = qs(input.*claim::claimFields[i].member);
    if (i == kYearField) {
      if (yearBox_->currentText() != text) yearBox_->setEditText(text);
    } else if (lists_[i] != nullptr) {
      lists_[i]->setCurrentIndex(text.isEmpty() ? 0 : lists_[i]->findText(text));
    } else if (edits_[i]->text() != text) {
      edits_[i]->setText(text);
    }
  }
  showing_ = wasShowing;
}

void ClaimDialog::edited() {
  if (showing_) return;
  claim::ClaimInput input;
  for (std::size_t i = 0; i < claim::claimFields.size(); ++i) {
    const QString text = i == kYearField        ? yearBox_->currentText()
                         : lists_[i] != nullptr ? lists_[i]->currentText()
                                                : edits_[i]->text();
    input.*claim::claimFields[i].member = text.toStdString();
  }
  window_->setClaimInput(input);  // which comes back here as claimInputChanged
}

void ClaimDialog::recompute() {
  const auto outcome =
      claim::computeClaim(window_->caseInput(), window_->claimInput(), window_->standards(), true);
  const auto* refusal = std::get_if<claim::ClaimRefusal>(&outcome);
  notice_->setText(refusal != nullptr ? qs(refusal->message) : QString());
  const auto* sheet = std::get_if<claim::ClaimSheet>(&outcome);
  fee_->setText(sheet != nullptr
                    ? qs(claim::feeLine(*sheet, window_->claimInput().简易程序 == "是"))
                    : QString());
  rows_ = claim::filedTable(outcome);
  table_->setRowCount(static_cast<int>(rows_.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const claim::TableRow& filed = rows_[static_cast<std::size_t>(row)];
    const auto cells = claim::tableCells(filed);
    for (int column = 0; column < table_->columnCount(); ++column) {
      auto* item = new QTableWidgetItem(qs(cells[static_cast<std::size_t>(column)]));
      if (column == kAmountColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (column == 2 || column == 4) item->setToolTip(item->text());
      if (filed.kind == claim::TableRow::Kind::total) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
      }
      table_->setItem(row, column, item);
    }
  }
}

void ClaimDialog::copySheet() {
  QStringList header;
  for (const auto name : claim::kTableColumns) header << qs(name);
  QList<QStringList> rows;
  for (const auto& row : rows_) {
    QStringList cells;
    for (const auto& cell : claim::tableCells(row)) cells << qs(cell);
    rows.append(cells);
  }
  copyTable(header, rows);
}

void ClaimDialog::exportSheet() {
  // Qt's own dialog, as the case files use: the same everywhere, and tests can drive it.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QFileDialog dialog(this, QStringLiteral("导出清单"),
                     sheetFileName(window_->document().path(), folder),
                     QStringLiteral("OpenDocument 文本 (*.odt);;所有文件 (*)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("odt"));
  dialog.setObjectName(QStringLiteral("导出清单窗"));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    exportTo(dialog.selectedFiles().constFirst());
  }
}

bool ClaimDialog::exportTo(const QString& path) {
  const std::string facts = claim::sheetFacts(window_->caseInput(), window_->claimInput());
  if (const QString why = writeSheet(path, facts, rows_); !why.isEmpty()) {
    QMessageBox::warning(this, qs(kProgramTitle),
                         QStringLiteral("清单未导出：%1\n%2").arg(path, why));
    return false;
  }
  return true;
}

}  // namespace quorvane::window
