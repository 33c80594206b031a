#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

#include <fontconfig/fontconfig.h>

namespace quorvane::platform {

FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); }) {}

FontConfigWarmUp::~FontConfigWarmUp() {
  wait();
}

void FontConfigWarmUp::wait() {
  if (thread_.joinable()) thread_.join();
}

bool useChineseTexts() {
  // By name, not by QLocale(): under a C or English locale that would load nothing.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

QDate systemToday() {
  return QDate::currentDate();
}

void openWebAddress(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

void showHandPointer(QWidget* widget) {
  widget->setCursor(Qt::PointingHandCursor);
}

QString writeWhole(const QString& path, std::string_view bytes) {
  QSaveFile file(path);
  const auto size = static_cast<qint64>(bytes.size());
  if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.commit()) {
    return {};
  }
  return file.errorString();
}

void showMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace quorvane::platform
