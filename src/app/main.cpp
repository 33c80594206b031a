// quorvane: the calculator window.

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include "platform.h"
#include "window.h"

namespace {

// Read as PNG outright: asked to find the format itself, Qt loads every image
// plugin (and the JPEG library) to ask each one, a few milliseconds at start.
QIcon windowIcon() {
  QIcon icon;
  for (const char* path : {":/icon-48.png", ":/icon-64.png"}) {
    QImageReader reader(QString::fromLatin1(path), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  quorvane::platform::FontConfigWarmUp fonts;
  QApplication app(argc, argv);
  fonts.wait();
  QApplication::setApplicationName("Quorvane");
  QApplication::setApplicationDisplayName("Quorvane");
  QApplication::setApplicationVersion(QUORVANE_VERSION);
  QApplication::setDesktopFileName("com.quorvane.Quorvane");
  QApplication::setWindowIcon(windowIcon());
  quorvane::platform::useChineseTexts();

  // quorvane FILE.csv opens a case file (the desktop entry passes a file so).
  QString caseFile;
  for (const QString& argument : QApplication::arguments().mid(1)) {
    if (!argument.startsWith('-')) caseFile = argument;
  }
  const auto host = quorvane::window::startWindow(quorvane::platform::systemToday, caseFile);
  return QApplication::exec();
}
