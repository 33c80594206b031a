// Preloaded into a Qt Widgets program by bench/startup.sh (LD_PRELOAD): as soon
// as a top-level window is shown and exposed, prints "ready" with the
// wall-clock time in nanoseconds and quits. The program itself carries no
// such hook, and quorvane and the empty window are timed the same way.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

bool exposed(const QWidget* widget) {
  return widget->isVisible() && widget->windowHandle() != nullptr &&
         widget->windowHandle()->isExposed();
}

void reportWhenReady() {
  auto* poll = new QTimer(QCoreApplication::instance());
  QObject::connect(poll, &QTimer::timeout, poll, [] {
    const auto windows = QApplication::topLevelWidgets();
    if (!std::any_of(windows.begin(), windows.end(), exposed)) return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("ready %lld%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
  poll->start(1);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(reportWhenReady)
