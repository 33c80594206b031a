// The guard against a dialog no test answers: such a dialog's exec() would hold
// the test until CTest's timeout; the guard fails the test within seconds
// instead, names the dialog and closes it, and the test runs on.

#include "window_testing.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
#include <utility>

namespace {

// Every answer the tests arrange (a MessageAnswerer, a zero timer, a poll)
// comes within milliseconds of the dialog; two seconds leaves room for a loaded
// machine and a sanitized build.
constexpr int kGraceMs = 2000;
constexpr int kPollMs = 20;

QString shownText(QWidget* dialog) {
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) return box->text();
  if (auto* input = qobject_cast<QInputDialog*>(dialog)) return input->labelText();
  return QString::fromLatin1(dialog->metaObject()->className());
}

class UnansweredDialogGuard : public QObject {
 public:
  explicit UnansweredDialogGuard(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &UnansweredDialogGuard::check);
    timer_.start(kPollMs);
  }

 private:
  // Only application-modal dialogs block: exec() and the static QMessageBox
  // functions make them; a window-modal one (open()) leaves the test running.
  void check() {
    // Once the test has failed, what it meant to answer is moot: each dialog is
    // closed at once, and looked for at every turn of the event loop, as a
    // failed test may go on to open hundreds.
    const bool failed = QTest::currentTestFailed();
    if (const int every = failed ? 0 : kPollMs; timer_.interval() != every) {
      timer_.setInterval(every);
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->windowModality() != Qt::ApplicationModal) {
      seen_ = nullptr;
      return;
    }
    if (modal != seen_) {
      seen_ = modal;
      since_.start();
    }
    if (!failed && since_.elapsed() < kGraceMs) return;
    if (!failed) {
      const QString failure = QStringLiteral("a dialog no test answered: “%1” %2")
                                  .arg(modal->windowTitle(), shownText(modal));
      QTest::qFail(failure.toUtf8().constData(), __FILE__, __LINE__);
    }
    seen_ = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }

  QTimer timer_;
  QPointer<QWidget> seen_;
  QElapsedTimer since_;
};

// Started with the test's QApplication, for every test function of the executable.
void startGuard() {
  new UnansweredDialogGuard(QCoreApplication::instance());
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(startGuard)

namespace window_testing {

Fields fields(const QString& pairs) {
  Fields parsed;
  for (const QString& pair : pairs.split(' ', Qt::SkipEmptyParts)) {
    parsed.append({pair.section('=', 0, 0), pair.section('=', 1)});
  }
  return parsed;
}

namespace {

// Typed as the user would: keys for ASCII, and Chinese as an input method
// commits it (QTest's keys carry Latin-1 alone).
void type(QWidget* box, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(box, c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(c);
      QApplication::sendEvent(box, &commit);
    }
  }
}

}  // namespace

void enter(QWidget* parent, const Fields& pairs) {
  for (const auto& [name, text] : pairs) {
    auto* control = parent->findChild<QWidget*>(name);
    if (control == nullptr) {
      QTest::qFail(qPrintable("no control " + name), __FILE__, __LINE__);
      return;
    }
    auto* list = qobject_cast<QComboBox*>(control);
    if (list != nullptr && !list->isEditable()) {
      list->setCurrentIndex(list->findText(text));
      continue;
    }
    if (auto* lines = qobject_cast<QPlainTextEdit*>(control)) {
      lines->clear();
      type(lines, text);
      continue;
    }
    auto* box = list != nullptr ? list->lineEdit() : static_cast<QLineEdit*>(control);
    box->clear();
    type(box, text);
  }
}

QString contentXml(const QString& path) {
  QProcess unzip;
  unzip.start("unzip", {"-p", path, "content.xml"});
  unzip.waitForFinished(20000);
  return QString::fromUtf8(unzip.readAllStandardOutput());
}

QList<QList<QStringList>> odtTables(const QString& content) {
  QXmlStreamReader xml(content);
  QList<QList<QStringList>> tables;
  int depth = 0;  // a table inside a cell is that cell's text
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.name() == u"table") {
      if (xml.isStartElement() && depth++ == 0) tables.append(QList<QStringList>());
      if (xml.isEndElement()) --depth;
      continue;
    }
    if (depth == 0) continue;
    auto& rows = tables.last();
    if (depth == 1 && xml.isStartElement() && xml.name() == u"table-row")
      rows.append(QStringList());
    if (depth == 1 && xml.isStartElement() && xml.name() == u"table-cell") {
      rows.last().append(QString());
    }
    if (xml.isCharacters() && !xml.isWhitespace() && !rows.isEmpty() && !rows.last().isEmpty()) {
      rows.last().last() += xml.text();
    }
  }
  return tables;
}

QStringList odtParagraphs(const QString& content) {
  QXmlStreamReader xml(content);
  QStringList paragraphs;
  int open = 0;        // paragraphs inside paragraphs (a note's) run on in the outer one
  bool space = false;  // white space read, one space unless a line ends there
  while (!xml.atEnd()) {
    xml.readNext();
    const bool paragraph = xml.name() == u"p" || xml.name() == u"h";
    if (xml.isStartElement() && paragraph && open++ == 0) paragraphs.append(QString());
    if (xml.isEndElement() && paragraph && --open == 0) space = false;
    if (open == 0) continue;
    QString& text = paragraphs.last();
    const auto put = [&](const QString& more) {
      if (std::exchange(space, false)) text += ' ';
      text += more;
    };
    if (xml.isCharacters()) {
      // As a word processor reads it: a run of white space is one space, none at a line's start.
      for (const QChar c : xml.text()) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
          space = space || !(text.isEmpty() || text.endsWith('\n'));
        } else {
          put(c);
        }
      }
    }
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"line-break") {
      space = false;
      text += '\n';
    }
    if (xml.name() == u"tab") put(QStringLiteral("\t"));
    if (xml.name() == u"s") {
      const auto count = xml.attributes().value(QStringLiteral("text:c"));
      put(QString(count.isEmpty() ? 1 : count.toInt(), ' '));
    }
  }
  return paragraphs;
}

}  // namespace window_testing
