// The guard against a dialog no test answers: such a dialog's exec() would hold
// the test until CTest's timeout; the guard fails the test within seconds
// instead, names the dialog and closes it, and the test runs on.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

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
