#pragma once

// What the window tests share: texts in Qt's form, a stand-in for the user
// who answers each message box as it appears, typing into a dialog's inputs
// by name, and an exported document read back. A blocking dialog that
// nothing answers within two seconds fails the test (window_testing.cpp).

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QPushButton>
#include <QStringList>
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

namespace window_testing {

using Fields = QList<QPair<QString, QString>>;

// "name=text name=text …"
Fields fields(const QString& pairs);

// Picks the item of that text in a pick-only list; clears and types into a
// box, an editable list or a box of several lines.
void enter(QWidget* parent, const Fields& pairs);

// The text of an OpenDocument file (its content.xml).
QString contentXml(const QString& path);

// The tables of an OpenDocument text, each a list of rows, each row a list
// of its cells' texts.
QList<QList<QStringList>> odtTables(const QString& content);

// Its paragraphs and headings in order, each one's text with a line break
// as '\n', a tab as '\t' and its spaces written out.
QStringList odtParagraphs(const QString& content);

}  // namespace window_testing
