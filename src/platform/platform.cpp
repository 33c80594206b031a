#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace quorvane::platform {

QDate systemToday() {
  return QDate::currentDate();
}

void openWebAddress(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

void showHandPointer(QWidget* widget) {
  widget->setCursor(Qt::PointingHandCursor);
}

void showMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace quorvane::platform
