#include "claim_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "case_document.h"
#include "claim_dialog_layout.h"
#include "claim_report.h"
#include "controls.h"
#include "window.h"

namespace quorvane::window {
namespace {

// The sheet's rows: every column of the batch tool's after 清单提示.
int rowCount() {
  return static_cast<int>(claim::columnNames().size()) - 1;
}

}  // namespace

// The window's side: its claim inputs and the one dialog that edits them.

ClaimDialog* CalculatorWindow::showClaim(const QByteArray& geometry) {
  if (auto* open = findChild<ClaimDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
    open->raise();
    open->activateWindow();
    return open;
  }
  // Built when first asked for: the window starts as it always has.
  auto* dialog = new ClaimDialog(this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  if (!geometry.isEmpty()) dialog->restoreGeometry(geometry);
  dialog->show();
  return dialog;
}

void CalculatorWindow::setClaimInput(const claim::ClaimInput& input) {
  const claim::ClaimInput shown = shownClaim(input);
  if (shown == claimInput_) return;
  claimInput_ = shown;
  document_->update();
  emit claimInputChanged();
}

claim::ClaimInput shownClaim(claim::ClaimInput input) {
  // A list's first item, or a text it does not offer, is the empty input, as
  // the window's own lists leave a text they do not offer unpicked.
  for (const auto& list : pickLists()) {
    std::string& text = input.*claim::claimFields[list.field].member;
    const auto offered = std::find(list.items.begin() + 1, list.items.end(), text);
    if (text.empty() || offered == list.items.end()) text.clear();
  }
  return input;
}

ClaimDialog::ClaimDialog(CalculatorWindow* window) : QDialog(window), window_(window) {
  setObjectName(QStringLiteral("赔偿清单窗"));
  setWindowTitle(QStringLiteral("赔偿清单"));
  createWidgets();
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
  closeButton_ = new QPushButton(QStringLiteral("关闭"), this);
  closeButton_->setObjectName(QStringLiteral("关闭按钮"));
  for (auto* button : {copyButton_, closeButton_}) button->setAutoDefault(false);
  buttons->addWidget(copyButton_);
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
  auto* sheet = new QHBoxLayout;
  // Both as tall as the longer, so that they line up.
  const auto& tables = sheetTables();
  const auto rows = static_cast<int>(std::max(tables[0].columns.size(), tables[1].columns.size()));
  for (std::size_t t = 0; t < tables_.size(); ++t) {
    const auto& spec = tables[t];
    auto* table = new QTableWidget(static_cast<int>(spec.columns.size()), 2, this);
    tables_[t] = table;
    table->setObjectName(qs(spec.objectName));
    table->setAccessibleName(qs(spec.accessibleName));
    table->setHorizontalHeaderLabels({QStringLiteral("项目"), QStringLiteral("金额（元）")});
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    for (int row = 0; row < table->rowCount(); ++row) {
      const QString text = qs(claim::columnNames()[spec.columns[static_cast<std::size_t>(row)]]);
      auto* amount = new QTableWidgetItem;
      amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(row, 0, new QTableWidgetItem(text));
      table->setItem(row, 1, amount);
    }
    // Every row in sight: the sheet is read whole, not scrolled.
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * table->frameWidth();
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                            rows * table->verticalHeader()->defaultSectionSize() + frame);
    // The names whole, and an amount of eight digits before the point with room
    // for the cell's margins, which the item view measures wider than it draws.
    const auto* header = table->horizontalHeader();
    table->resizeColumnToContents(0);
    const int names = table->columnWidth(0);
    const int amounts = std::max(table->fontMetrics().horizontalAdvance("99999999.99") + 40,
                                 header->sectionSizeHint(1));
    table->setMinimumWidth(names + amounts + frame);
    sheet->addWidget(table);
  }
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
  const auto texts = claim::columnTexts(outcome);
  const auto working = claim::columnWorking(outcome);
  notice_->setText(qs(texts.front()));
  for (std::size_t t = 0; t < tables_.size(); ++t) {
    const auto& columns = sheetTables()[t].columns;
    for (int row = 0; row < tables_[t]->rowCount(); ++row) {
      const std::size_t column = columns[static_cast<std::size_t>(row)];
      const QString tip = qs(working[column]);
      tables_[t]->item(row, 0)->setToolTip(tip);
      tables_[t]->item(row, 1)->setToolTip(tip);
      tables_[t]->item(row, 1)->setText(qs(texts[column]));
    }
  }
}

void ClaimDialog::copySheet() {
  // In the batch tool's order of columns, whatever the tables' order.
  CopiedRows rows(rowCount());
  for (std::size_t t = 0; t < tables_.size(); ++t) {
    const auto& columns = sheetTables()[t].columns;
    for (int row = 0; row < tables_[t]->rowCount(); ++row) {
      const auto column = static_cast<qsizetype>(columns[static_cast<std::size_t>(row)]);
      rows[column - 1] = {tables_[t]->item(row, 0)->text(), tables_[t]->item(row, 1)->text()};
    }
  }
  copyRows(rows);
}

}  // namespace quorvane::window
