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
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <variant>

#include "claim_report.h"
#include "report.h"
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

// Puts the window's frame, title bar included, in the middle of its screen.
void centreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace

UserStandards readUserStandards() {
  const std::string path = standards::userStandardsPath();
  if (path.empty()) return {};
  auto loaded = standards::loadStandardsFile(path, false);
  if (const auto* error = std::get_if<standards::FileError>(&loaded)) {
    return {{},
            "标准文件未使用：" + QString::fromStdString(standards::describeChinese(path, *error)) +
                "\n本程序仅按内置标准（2011、2012 年度）计算。"};
  }
  auto& table = std::get<std::optional<StandardsTable>>(loaded);
  return {table ? std::move(*table) : StandardsTable{}, {}};
}

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

void CalculatorWindow::showCase(const CaseInput& input, const claim::ClaimInput& claim) {
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

void CalculatorWindow::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(qs(kReportTitle));
  if (dialog.exec() == QDialog::Accepted) printReport(printer);
}

void CalculatorWindow::printReport(QPrinter& printer) const {
  CaseReport report = reportFor(caseInput(), standards_);
  if (claim::anySet(claimInput_)) {
    report.sections.push_back(claim::reportSection(
        claimInput_, claim::computeClaim(caseInput(), claimInput_, standards_, true)));
  }
  const QDate today = clock_();
  auto html = [](const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().replace('\n', "<br>");
  };

  QString page = "<h2 align=\"center\">" + qs(kReportTitle) + "</h2>";
  page += "<p>打印日期：" +
          QString("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day()) +
          "<br><b>" + qs(kReferenceOnly) + "</b>";
  if (report.notice) page += "<br>提示：" + html(*report.notice);
  page += "</p>";
  for (const auto& section : report.sections) {
    page += "<h3>" + html(section.title) + "</h3>";
    page += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";
    const bool explained = std::any_of(section.rows.begin(), section.rows.end(),
                                       [](const ReportRow& row) { return !row.working.empty(); });
    for (const auto& row : section.rows) {
      page += "<tr><td width=\"22%\">" + html(row.name) + "</td><td>" + html(row.value) + "</td>";
      if (explained) page += "<td width=\"60%\"><small>" + html(row.working) + "</small></td>";
      page += "</tr>";
    }
    page += "</table>";
    if (section.table.empty()) continue;
    page += "<p></p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";
    for (std::size_t r = 0; r < section.table.size(); ++r) {
      const char* cell = r == 0 ? "th" : "td";
      page += "<tr>";
      for (const auto& text : section.table[r]) {
        page += QString("<%1>").arg(cell) + html(text) + QString("</%1>").arg(cell);
      }
      page += "</tr>";
    }
    page += "</table>";
  }

  QTextDocument document;
  QFont font;
  font.setFamilies(songFamilies());
  font.setPointSizeF(9);
  document.setDefaultFont(font);
  document.setHtml(page);
  document.print(&printer);
}

void CalculatorWindow::scrollTo(int value) {
  const auto& box = specOf(kPictureBox);
  pictureBox_->move(pixels(box.left), pixels(value * -kScrollStepTwips));
}

WindowHost::WindowHost(platform::Clock clock, StandardsTable standards, QString standardsRefusal,
                       QObject* parent)
    : QObject(parent),
      clock_(std::move(clock)),
      standards_(std::move(standards)),
      standardsRefusal_(std::move(standardsRefusal)) {
  // The dialog font for the message boxes and menus too; and Qt lays out
  // every new text box's empty text in the program's font before the box takes
  // the window's, which would load a second face at start-up.
  QApplication::setFont(dialogFont());
}

WindowHost::~WindowHost() {
  delete window_;
}

void WindowHost::show() {
  auto* window = new CalculatorWindow(clock_, standards_);
  window->setStandardsRefusal(standardsRefusal_);
  // A fresh case after 清空 goes by the standards the dialog saved.
  connect(window, &CalculatorWindow::standardsChanged, this,
          [this](const StandardsTable& standards) {
            standards_ = standards;
            standardsRefusal_.clear();
          });
  // Queued: the old window is discarded only after its button's click is done.
  connect(window, &CalculatorWindow::resetRequested, this, &WindowHost::replaceWindow,
          Qt::QueuedConnection);
  // The frame's size is known only once a window manager has framed the
  // window: centre the client area now, the whole frame when it is framed.
  centreOnScreen(window);
  window->installEventFilter(this);
  window->show();
  window_ = window;
  emit windowReplaced(window);
}

bool WindowHost::eventFilter(QObject* watched, QEvent* event) {
  auto* window = qobject_cast<QWidget*>(watched);
  if (window != nullptr && event->type() == QEvent::Move && window->windowHandle() != nullptr &&
      !window->windowHandle()->frameMargins().isNull()) {
    window->removeEventFilter(this);
    centreOnScreen(window);
  }
  return QObject::eventFilter(watched, event);
}

void WindowHost::replaceWindow() {
  // The new window is shown before the old one goes, so that the program never
  // has no window (which would end it).
  CalculatorWindow* old = window_;
  show();
  // An open 赔偿清单 stays open, where it was, on the fresh case.
  if (const auto* sheet = old->findChild<ClaimDialog*>()) window_->showClaim(sheet->saveGeometry());
  delete old;
}

std::unique_ptr<WindowHost> startWindow(platform::Clock clock, const QString& caseFile) {
  auto standards = readUserStandards();
  auto host =
      std::make_unique<WindowHost>(std::move(clock), std::move(standards.table), standards.refusal);
  host->show();
  CalculatorWindow* window = host->window();
  if (!standards.refusal.isEmpty()) {
    QTimer::singleShot(0, window, [window, refusal = standards.refusal] {
      platform::showMessage(window, refusal);
    });
  }
  if (!caseFile.isEmpty()) {
    // Once the start-up lists are filled, so that the file's picks find their items.
    QTimer::singleShot(0, window, [window, caseFile] { window->document().open(caseFile); });
  }
  return host;
}

}  // namespace quorvane::window
