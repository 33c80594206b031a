#pragma once

// What the window tests share: texts in Qt's form, and a stand-in for the user
// who answers each message box as it appears.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string_view>
#include <vector>

namespace {

inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct SeenMessage {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  QString okText;
};

// Answers the next modal message boxes with OK, recording what they said.
class MessageAnswerer : public QObject {
 public:
  MessageAnswerer() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen.push_back({box->windowTitle(), box->text(), box->icon(),
                      static_cast<int>(box->buttons().size()),
                      box->button(QMessageBox::Ok)->text()});
      box->button(QMessageBox::Ok)->click();
    });
    timer_.start(5);
  }
  std::vector<SeenMessage> seen;

 private:
  QTimer timer_;
};

}  // namespace
