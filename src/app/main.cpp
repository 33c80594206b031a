// quorvane: the calculator window.

#include <QApplication>

#include "platform.h"
#include "window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvane");
  QApplication::setApplicationDisplayName("Quorvane");
  QApplication::setApplicationVersion(QUORVANE_VERSION);
  quorvane::platform::useChineseTexts();

  quorvane::window::WindowHost host;
  host.show();
  return QApplication::exec();
}
