// quorvane: the calculator window.

#include <QApplication>

#include "window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvane");
  QApplication::setApplicationDisplayName("Quorvane");
  QApplication::setApplicationVersion(QUORVANE_VERSION);

  quorvane::window::WindowHost host;
  host.show();
  return QApplication::exec();
}
