#pragma once

// What the window tests share: texts in Qt's form, and a stand-in for the user
// who answers each message box as it appears. A blocking dialog that nothing
// answers within two seconds fails the test (window_testing.cpp).

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

// Answers the next modal message boxes, recording what they said: with the
// button captioned answer (its "&" aside) where the box has one, else OK.
class MessageAnswerer : public QObject {
 public:
  explicit MessageAnswerer(QString answer = {}) {
    connect(&timer_, &QTimer::timeout, this, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      seen.push_back({box->windowTitle(), box->text(), box->icon(),
                      static_cast<int>(box->buttons().size()),
                      ok != nullptr ? ok->text() : QString()});
      QAbstractButton* choice = ok;
      for (QAbstractButton* button : box->buttons()) {
        if (!answer.isEmpty() && button->text().remove('&') == answer) choice = button;
      }
      if (choice != nullptr) choice->click();
    });
    timer_.start(5);
  }
  std::vector<SeenMessage> seen;

 private:
  QTimer timer_;
};

}  // namespace
