// quorvane: the calculator window.

#include <QApplication>
#include <QIcon>

#include "platform.h"
#include "window.h"

int main(int argc, char** argv) {
  quorvane::platform::FontConfigWarmUp fonts;
  QApplication app(argc, argv);
  fonts.wait();
  QApplication::setApplicationName("Quorvane");
  QApplication::setApplicationDisplayName("Quorvane");
  QApplication::setApplicationVersion(QUORVANE_VERSION);
  QApplication::setDesktopFileName("com.quorvane.Quorvane");
  QApplication::setWindowIcon(QIcon(":/com.quorvane.Quorvane.png"));
  quorvane::platform::useChineseTexts();

  const auto host = quorvane::window::startWindow(quorvane::platform::systemToday);
  return QApplication::exec();
}
