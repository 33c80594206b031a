// The title bars as a window manager shows them: on X11 Qt adds " — " and the
// program's display name to a window's own title, unless the title ends with
// it, and the window manager shows the result, the window's _NET_WM_NAME.
// Run by CTest on a virtual display of its own (on_virtual_display.sh).

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "case_document.h"
#include "claim_dialog.h"
#include "complaint_dialog.h"
#include "window.h"
#include "window_testing.h"

using namespace quorvane;
using namespace quorvane::window;

namespace {

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

QString shownTitle(const QWidget* widget) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11->connection();
  const auto atom = [connection](const char* name) {
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  };
  const auto cookie = xcb_get_property(connection, 0, static_cast<xcb_window_t>(widget->winId()),
                                       atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 1024);
  const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr),
                                              &std::free);
  if (!reply) return {};
  return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           xcb_get_property_value_length(reply.get()));
}

}  // namespace

class TitleBarTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    if (QGuiApplication::platformName() != "xcb") QSKIP("needs X11: CTest runs it on Xvfb");
    QVERIFY(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
    QApplication::setApplicationDisplayName("Quorvane");  // as main() does
  }

  // The document first, the program after it; the program's own windows as they were.
  void documentFirstThenTheProgram() {
    const auto host = startWindow([] { return QDate(2012, 6, 1); }, {});
    CalculatorWindow* window = host->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(shownTitle(window), QString("Quorvane"));

    const QString path = dir_.filePath("case.csv");
    QVERIFY(window->document().saveTo(path));
    QCOMPARE(shownTitle(window), QString("case.csv — Quorvane"));
    static_cast<QLineEdit*>(window->control("医疗费"))->setText("12");
    QCOMPARE(shownTitle(window), QString("case.csv* — Quorvane"));

    window->editStandards();
    auto* standards = window->findChild<QDialog*>("年度标准窗");
    QVERIFY(standards != nullptr && QTest::qWaitForWindowExposed(standards));
    QCOMPARE(shownTitle(standards), QString("年度标准 — Quorvane"));
    standards->reject();

    QString message;
    QTimer::singleShot(0, window, [&message] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        message = shownTitle(box);
        box->accept();
      }
    });
    QVERIFY(!window->document().saveTo(path + "/not-a-folder.csv"));
    QCOMPARE(message, QString("Quorvane"));
    QCOMPARE(shownTitle(window), QString("case.csv* — Quorvane"));
  }

  // Under X11's key bindings a text box takes Ctrl+E for the end of its line;
  // in the two dialogs that export, the key is the export's, from any box.
  void ctrlEExportsFromATextBox() {
    const auto host = startWindow([] { return QDate(2012, 6, 1); }, {});
    QDialog* claim = host->window()->showClaim();
    QDialog* complaint = host->window()->showComplaint();
    for (QDialog* dialog : {claim, complaint}) {
      const auto boxes = dialog->findChildren<QWidget*>();
      int tried = 0;
      for (QWidget* box : boxes) {
        if (!box->inherits("QLineEdit") && !box->inherits("QPlainTextEdit") &&
            !box->inherits("QComboBox")) {
          continue;
        }
        QKeyEvent key(QEvent::ShortcutOverride, Qt::Key_E, Qt::ControlModifier);
        QApplication::sendEvent(box, &key);
        QVERIFY2(!key.isAccepted(), qPrintable(box->objectName()));
        ++tried;
      }
      QVERIFY(tried > 10);
    }
  }
};

QTEST_MAIN(TitleBarTest)
#include "title_bar_test.moc"
