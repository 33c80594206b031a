#include "claim_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "case_document.h"
#include "claim_report.h"
#include "controls.h"
#include "window.h"

namespace quorvane::window {
namespace {

constexpr std::size_t kYear = 0;  // 计算标准年度, an editable list

// The pick-only lists, 交强险 and 案件类型: their items, the first meaning what
// an empty input means.
struct PickList {
  std::size_t field;
  std::array<std::string_view, 3> items;
};
constexpr std::array<PickList, 2> kPickLists{{{4, {"无", "有责", "无责"}}, {7, {"伤残", "死亡"}}}};

const PickList* pickList(std::size_t field) {
  for (const auto& list : kPickLists) {
    if (list.field == field) return &list;
  }
  return nullptr;
}

// What an empty input means, shown in its box.
constexpr std::array<std::string_view, claim::claimFields.size()> kPlaceholders{"空为事故发生年",
                                                                                "YYYY-MM-DD",
                                                                                "0 至 10",
                                                                                "元",
                                                                                "",
                                                                                "空为 100",
                                                                                "空为未投保",
                                                                                "",
                                                                                "",
                                                                                "0 至 20 年",
                                                                                "元/天",
                                                                                "元",
                                                                                "元",
                                                                                "元",
                                                                                "",
                                                                                "",
                                                                                "0 至 100",
                                                                                "0 至 100",
                                                                                "空为未投保",
                                                                                "空为未投保",
                                                                                "元",
                                                                                "元",
                                                                                "元"};

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
  for (const auto& list : kPickLists) {
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
  auto* layout = new QVBoxLayout(this);

  // The inputs in two columns of caption and box.
  auto* inputs = new QGridLayout;
  inputs->setHorizontalSpacing(8);
  inputs->setColumnMinimumWidth(2, 12);
  for (std::size_t i = 0; i < claim::claimFields.size(); ++i) {
    const QString name = qs(claim::claimFields[i].name);
    QWidget* box = nullptr;
    if (i == kYear) {
      yearBox_ = new QComboBox(this);
      yearBox_->setEditable(true);
      yearBox_->setInsertPolicy(QComboBox::NoInsert);
      box = yearBox_;
    } else if (const auto* pick = pickList(i)) {
      // Types ahead and ignores the wheel as the window's lists do.
      auto* list = new DropDownList(this);
      for (const auto text : pick->items) {
        if (!text.empty()) list->addItem(qs(text));
      }
      lists_[i] = list;
      box = list;
    } else {
      edits_[i] = new QLineEdit(this);
      box = edits_[i];
    }
    if (auto* edit = i == kYear ? yearBox_->lineEdit() : edits_[i]) {
      edit->setPlaceholderText(qs(kPlaceholders[i]));
    }
    box->setObjectName(name);
    box->setAccessibleName(name);
    box->setMinimumWidth(120);
    auto* caption = new QLabel(name, this);
    caption->setBuddy(box);
    const int row = static_cast<int>(i / 2);
    const int column = static_cast<int>(i % 2) * 3;
    inputs->addWidget(caption, row, column);
    inputs->addWidget(box, row, column + 1);
  }
  layout->addLayout(inputs);

  notice_ = new QLabel(this);
  notice_->setObjectName(qs(claim::kNoticeColumn));
  notice_->setWordWrap(true);
  notice_->setTextFormat(Qt::PlainText);
  // A line kept for it, so that a refusal does not move the table.
  notice_->setMinimumHeight(notice_->fontMetrics().lineSpacing());
  QPalette red = notice_->palette();
  red.setColor(QPalette::WindowText, Qt::darkRed);
  notice_->setPalette(red);
  layout->addWidget(notice_);

  table_ = new QTableWidget(rowCount(), 2, this);
  table_->setObjectName(QStringLiteral("赔偿清单表"));
  table_->setAccessibleName(QStringLiteral("赔偿清单"));
  table_->setHorizontalHeaderLabels({QStringLiteral("项目"), QStringLiteral("金额（元）")});
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  for (int row = 0; row < rowCount(); ++row) {
    auto* name = new QTableWidgetItem(qs(claim::columnNames()[static_cast<std::size_t>(row) + 1]));
    auto* amount = new QTableWidgetItem;
    amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(row, 0, name);
    table_->setItem(row, 1, amount);
  }
  // Every row in sight: the sheet is read whole, not scrolled.
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                           rowCount() * table_->verticalHeader()->defaultSectionSize() +
                           2 * table_->frameWidth());
  layout->addWidget(table_, 1);

  auto* buttons = new QHBoxLayout;
  copyButton_ = new QPushButton(QStringLiteral("复制清单"), this);
  copyButton_->setObjectName(QStringLiteral("复制清单按钮"));
  closeButton_ = new QPushButton(QStringLiteral("关闭"), this);
  closeButton_->setObjectName(QStringLiteral("关闭按钮"));
  for (auto* button : {copyButton_, closeButton_}) button->setAutoDefault(false);
  buttons->addWidget(copyButton_);
  buttons->addStretch();
  buttons->addWidget(closeButton_);
  layout->addLayout(buttons);
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
    if (i == kYear) {
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
    const QString text = i == kYear             ? yearBox_->currentText()
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
  for (int row = 0; row < rowCount(); ++row) {
    const auto column = static_cast<std::size_t>(row) + 1;
    const QString tip = qs(working[column]);
    table_->item(row, 0)->setToolTip(tip);
    table_->item(row, 1)->setToolTip(tip);
    table_->item(row, 1)->setText(qs(texts[column]));
  }
}

void ClaimDialog::copySheet() {
  CopiedRows rows;
  for (int row = 0; row < rowCount(); ++row) {
    rows.append({table_->item(row, 0)->text(), table_->item(row, 1)->text()});
  }
  copyRows(rows);
}

}  // namespace quorvane::window
