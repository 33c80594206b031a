// quorvane: the calculator window.

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>

#include "window.h"

namespace {

// For the start-up benchmark: once the window is on screen and its lists are
// filled, print the wall-clock time and quit.
void reportWhenReady(QWidget* window) {
  auto* poll = new QTimer(window);
  QObject::connect(poll, &QTimer::timeout, window, [window] {
    if (window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("ready %lld%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
  poll->start(1);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvane");
  QApplication::setApplicationDisplayName("Quorvane");
  QApplication::setApplicationVersion(QUORVANE_VERSION);
  QApplication::setDesktopFileName("com.quorvane.Quorvane");
  QApplication::setWindowIcon(QIcon(":/com.quorvane.Quorvane.png"));

  const auto host = quorvane::window::startWindow(quorvane::platform::systemToday);
  if (qEnvironmentVariableIsSet("QUORVANE_REPORT_READY")) reportWhenReady(host->window());
  return QApplication::exec();
}
