// The yardstick for start-up: a minimal Qt Widgets program that shows one empty
// window, reporting readiness exactly as quorvane does.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(716, 816);
  window.show();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &window, [&window] {
    if (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("ready %lld%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
  poll.start(1);
  return QApplication::exec();
}
