// quorvane: the calculator window.

#include <QApplication>

#include "platform.h"
#include "window.h"

int main(int argc, char** argv) {
  quorvane::platform::FontConfigWarmUp fonts;
  QApplication app(argc, argv);
  fonts.wait();
  QApplication::setApplicationName("Quorvane");
  QApplication::setApplicationDisplayName("Quorvane");
  QApplication::setApplicationVersion(QUORVANE_VERSION);
  quorvane::platform::useChineseTexts();

  quorvane::window::WindowHost host;
  host.show();
  return QApplication::exec();
}
