#include "window.h"

#include "case_document.h"
#include "claim_dialog.h"
#include "controls.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <variant>

#include "standards_dialog.h"
#include "standards_file.h"

namespace quorvane::window {
namespace {

int pixels(int twips) {
  return qRound(static_cast<double>(twips) / kTwipsPerPixel);
}

QRect pixelRect(const ControlSpec& spec) {
  return {pixels(spec.left), pixels(spec.top), pixels(spec.width), pixels(spec.height)};
}

const ControlSpec& specOf(std::string_view name) {
  return *std::find_if(controlCatalogue.begin(), controlCatalogue.end(),
                       [&](const ControlSpec& spec) { return spec.name == name; });
}

void pickByText(QComboBox* list, const QString& text) {
  list->setCurrentIndex(list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void fillList(QComboBox* list, const std::vector<std::string>& items) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(items.size()));
  for (const auto& item : items) texts << qs(item);
  list->clear();
  list->addItems(texts);
}

// The notice's second line shows the address that the link lies over. Its
// lines follow each other at the font's line spacing, so the notice's text
// starts low enough that the second line's rows are the link's rows.
void alignNoticeWithLink(QLabel* notice, const QWidget* link) {
  const QFontMetricsF metrics(notice->font());
  const int secondLine = qCeil(metrics.leading() + metrics.height());
  const int top = link->y() - notice->y() - secondLine;
  notice->setContentsMargins(0, std::max(0, top), 0, 0);
}

}  // namespace

CalculatorWindow::CalculatorWindow(platform::Clock clock, StandardsTable standards, QWidget* parent)
    : QWidget(parent), clock_(std::move(clock)), standards_(std::move(standards)) {
  setWindowTitle(qs(kProgramTitle));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(pixels(kClientWidthTwips), pixels(kClientHeightTwips));
  setFont(dialogFont());

  createControls();
  createTabOrder();
  createConnections();
  load();
}

QWidget* CalculatorWindow::control(std::string_view name) const {
  for (std::size_t i = 0; i < controlCatalogue.size(); ++i) {
    if (controlCatalogue[i].name == name) return controls_[i];
  }
  return nullptr;
}

void CalculatorWindow::createControls() {
  // The field area comes first in the catalogue, so every later control can be
  // placed inside it; catalogue order is also the stacking order (the link over
  // the notice, the lists over the wide labels beside them).
  for (std::size_t i = 0; i < controlCatalogue.size(); ++i) {
    const auto& spec = controlCatalogue[i];
    const bool onWindow = spec.name == kPictureBox || spec.name == kScrollBar;
    QWidget* widget = createControl(spec, onWindow ? this : pictureBox_);
    widget->setObjectName(qs(spec.name));
    widget->setGeometry(pixelRect(spec));
    controls_[i] = widget;
    if (spec.name == kPictureBox) pictureBox_ = widget;
    if (spec.name == kScrollBar) scrollBar_ = static_cast<QScrollBar*>(widget);
  }

  for (std::size_t i = 0; i < controlCatalogue.size(); ++i) {
    const auto& spec = controlCatalogue[i];
    if (spec.kind != ControlKind::TextBox && spec.kind != ControlKind::DropDownList) continue;
    QString name = qs(spec.name);
    if (!spec.buddy.empty()) {
      auto* label = static_cast<QLabel*>(control(spec.buddy));
      label->setBuddy(controls_[i]);
      name = label->text();
    }
    controls_[i]->setAccessibleName(name);
  }

  alignNoticeWithLink(static_cast<QLabel*>(control(kNoticeLabel)), control(kHomeLink));

  // Made after the controls, so that, as the window's last child, it goes
  // after every text box that uses it.
  auto* textBoxStyle = new TextBoxStyle;
  textBoxStyle->setParent(this);
  for (std::size_t i = 0; i < controlCatalogue.size(); ++i) {
    if (controlCatalogue[i].kind == ControlKind::TextBox) controls_[i]->setStyle(textBoxStyle);
  }

  for (std::size_t i = 0; i < inputFields.size(); ++i) inputs_[i] = control(inputFields[i].name);
  for (std::size_t i = 0; i < resultFields.size(); ++i) {
    results_[i] = static_cast<QLineEdit*>(control(resultFields[i].name));
  }
}

void CalculatorWindow::createTabOrder() {
  std::vector<std::size_t> order(controlCatalogue.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
    return controlCatalogue[a].tabIndex < controlCatalogue[b].tabIndex;
  });
  QWidget* previous = nullptr;
  for (std::size_t i : order) {
    QWidget* widget = controls_[i];
    if (widget->focusPolicy() == Qt::NoFocus) continue;  // labels
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void CalculatorWindow::createConnections() {
  connect(static_cast<QPushButton*>(control(kCalculateButton)), &QPushButton::clicked, this,
          &CalculatorWindow::calculate);
  connect(static_cast<QPushButton*>(control(kClearButton)), &QPushButton::clicked, this, [this] {
    if (document_->mayDiscard()) emit resetRequested();
  });
  connect(static_cast<QPushButton*>(control(kLegalBasisButton)), &QPushButton::clicked, this,
          [] { platform::openWebAddress(qs(kLegalBasisAddress)); });
  connect(static_cast<LinkLabel*>(control(kHomeLink)), &LinkLabel::clicked, this,
          [] { platform::openWebAddress(qs(kHomeAddress)); });
  connect(scrollBar_, &QScrollBar::valueChanged, this, &CalculatorWindow::scrollTo);

  auto action = [this](const char* name, const QString& text, const QKeySequence& keys) {
    auto* made = new QAction(text, this);
    made->setObjectName(QString::fromUtf8(name));
    made->setShortcut(keys);
    made->setShortcutContext(Qt::WindowShortcut);
    addAction(made);
    return made;
  };
  document_ = new CaseDocument(this);
  addActions(document_->actions());
  for (QWidget* input : inputs_) {
    if (auto* list = qobject_cast<QComboBox*>(input)) {
      connect(list, &QComboBox::currentIndexChanged, document_, &CaseDocument::update);
    } else {
      connect(static_cast<QLineEdit*>(input), &QLineEdit::textChanged, document_,
              &CaseDocument::update);
    }
  }
  setAcceptDrops(true);

  standardsAction_ =
      action("年度标准动作", QStringLiteral("年度标准…"), QKeySequence(Qt::CTRL | Qt::Key_T));
  claimAction_ =
      action("赔偿清单动作", QStringLiteral("赔偿清单…"), QKeySequence(Qt::CTRL | Qt::Key_L));
  printAction_ = action("打印动作", QStringLiteral("打印…"), QKeySequence::Print);
  connect(standardsAction_, &QAction::triggered, this, &CalculatorWindow::editStandards);
  connect(claimAction_, &QAction::triggered, this, [this] { showClaim(); });
  connect(printAction_, &QAction::triggered, this, &CalculatorWindow::print);

  // A right click on the field area itself, or on a caption (which passes it
  // on); the text boxes keep their own editing menus.
  pictureBox_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pictureBox_, &QWidget::customContextMenuRequested, this,
          &CalculatorWindow::showContextMenu);
}

void CalculatorWindow::showContextMenu(const QPoint& position) {
  QMenu menu(this);
  menu.addActions(document_->actions());
  menu.addSeparator();
  menu.addAction(standardsAction_);
  menu.addAction(claimAction_);
  menu.addAction(printAction_);
  document_->addRecentFiles(menu);
  menu.exec(pictureBox_->mapToGlobal(position));
}

void CalculatorWindow::editStandards() {
  if (findChild<StandardsDialog*>() != nullptr) return;  // already open
  const auto* accidentYear = static_cast<const QComboBox*>(control("事故发生日年"));
  auto* dialog =
      new StandardsDialog(standards_, standardsRefusal_, accidentYear->currentText(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] { setStandards(dialog->savedTable()); });
  dialog->open();
}

void CalculatorWindow::setStandards(StandardsTable standards) {
  standards_ = std::move(standards);
  standardsRefusal_.clear();
  auto* accidentYear = static_cast<QComboBox*>(control("事故发生日年"));
  const QString picked = accidentYear->currentText();
  for (const auto& startup : startupLists(clock_().year(), standards_)) {
    if (startup.name == "事故发生日年") fillList(accidentYear, startup.items);
  }
  pickByText(accidentYear, picked);
  emit standardsChanged(standards_);
}

void CalculatorWindow::load() {
  // The field area's height in scroll steps, as a single-precision quotient
  // rounded half to even: 12252 / 500 = 24.504 gives 25.
  const float height = static_cast<float>(specOf(kPictureBox).height);
  const float steps = std::nearbyint(height / static_cast<float>(kScrollStepTwips));
  scrollBar_->setMaximum(static_cast<int>(steps));
}

void CalculatorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!startupDone_) {
    startupDone_ = true;
    fillStartupLists();
  }
}

void CalculatorWindow::fillStartupLists() {
  for (const auto& startup : startupLists(clock_().year(), standards_)) {
    auto* list = static_cast<QComboBox*>(control(startup.name));
    fillList(list, startup.items);
    pickByText(list, qs(startup.pick));
  }
  pictureBox_->setFocus(Qt::OtherFocusReason);
}

CaseInput CalculatorWindow::caseInput() const {
  CaseInput in;
  for (std::size_t i = 0; i < inputFields.size(); ++i) {
    const QWidget* widget = inputs_[i];
    const QString text = qobject_cast<const QComboBox*>(widget) != nullptr
                             ? static_cast<const QComboBox*>(widget)->currentText()
                             : static_cast<const QLineEdit*>(widget)->text();
    in.*inputFields[i].member = text.toStdString();
  }
  return in;
}

void CalculatorWindow::showCase(const CaseInput& input, const claim::ClaimInput& claim,
                                const complaint::ComplaintInput& complaint) {
  for (std::size_t i = 0; i < inputFields.size(); ++i) {
    const QString text = QString::fromStdString(input.*inputFields[i].member);
    if (auto* list = qobject_cast<QComboBox*>(inputs_[i])) {
      pickByText(list, text);
    } else {
      static_cast<QLineEdit*>(inputs_[i])->setText(text);
    }
  }
  for (QLineEdit* box : results_) {
    box->clear();
    box->setToolTip({});
  }
  scrollBar_->setValue(0);
  setClaimInput(claim);
  setComplaintInput(complaint);
  document_->update();
}

bool CalculatorWindow::hasResults() const {
  return !results_.back()->text().isEmpty();
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
  if (document_->mayDiscard()) {
    QWidget::closeEvent(event);
  } else {
    event->ignore();
  }
}

namespace {

QString droppedCaseFile(const QMimeData* data) {
  const auto urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  const QString path = urls.front().toLocalFile();
  return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

void CalculatorWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedCaseFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CalculatorWindow::dropEvent(QDropEvent* event) {
  const QString path = droppedCaseFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop is done: opening may ask questions in dialogs of its own.
  QTimer::singleShot(0, this, [this, path] { document_->open(path); });
}

void CalculatorWindow::calculate() {
  CaseWorking working;
  const auto outcome = runCalculation(caseInput(), standards_, &working);
  const auto& notice = std::visit(
      [](const auto& o) -> const auto& { return o.notice; }, outcome);
  if (notice) platform::showMessage(this, QString::fromStdString(*notice));

  if (const auto* stop = std::get_if<CalcStop>(&outcome)) {
    platform::showMessage(this, QString::fromStdString(stop->message));
    return;
  }
  const auto& result = std::get<CalcCompleted>(outcome).result;
  for (std::size_t i = 0; i < resultFields.size(); ++i) {
    results_[i]->setText(QString::fromStdString(result.*resultFields[i].member));
    results_[i]->setCursorPosition(0);  // a long amount shows its sign and first digits
    results_[i]->setToolTip(QString::fromStdString(working.*resultFields[i].member));
  }
  document_->update();
}

void CalculatorWindow::scrollTo(int value) {
  const auto& box = specOf(kPictureBox);
  pictureBox_->move(pixels(box.left), pixels(value * -kScrollStepTwips));
}

}  // namespace quorvane::window
