// Starting the program's window: the user's standards read, the window shown
// centred, and replaced by a fresh one on 清空 without the program ending.

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <variant>

#include "case_document.h"
#include "claim_dialog.h"
#include "complaint_dialog.h"
#include "controls.h"
#include "standards_file.h"
#include "window.h"

namespace quorvane::window {
namespace {

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
  // An open 赔偿清单 or 起诉状 stays open, where it was, on the fresh case.
  if (const auto* sheet = old->findChild<ClaimDialog*>()) window_->showClaim(sheet->saveGeometry());
  if (const auto* form = old->findChild<ComplaintDialog*>()) {
    window_->showComplaint(form->saveGeometry());
  }
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
