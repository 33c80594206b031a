// The yardstick for start-up: a minimal Qt Widgets program that shows one empty
// window of quorvane's size. bench/startup.sh times both the same way.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(716, 816);
  window.show();
  return QApplication::exec();
}
