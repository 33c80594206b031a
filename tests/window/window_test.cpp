// The window driven as a user drives it: controls found by name, items picked,
// texts typed, buttons clicked, keys pressed; message boxes answered as they appear.

#include <unistd.h>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <set>

#include "window.h"
#include "window_testing.h"

using namespace quorvane;
using namespace quorvane::window;

namespace {

// Collects the addresses handed to the desktop.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  UrlCatcher() { QDesktopServices::setUrlHandler("http", this, "open"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("http"); }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

// Types text as key presses, one character a press, each carrying its text.
void typeInto(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

// Texts of a menu's actions, separators left out.
QStringList actionTexts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions()) {
    if (!action->isSeparator()) texts << action->text();
  }
  return texts;
}

bool hasHan(const QString& text) {
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.script() == QChar::Script_Han; });
}

// The rows, in the parent's coordinates, where a grab of the widget has ink
// between x-from and x-to (its own coordinates).
std::set<int> inkRows(QWidget* widget, int from, int to) {
  const QImage image = widget->grab().toImage();
  std::set<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = std::max(0, from); x < std::min(to, image.width()); ++x) {
      if (qGray(image.pixel(x, y)) < 128) {
        rows.insert(widget->y() + y);
        break;
      }
    }
  }
  return rows;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WindowHost> host_;

  CalculatorWindow* shown(QDate today) {
    host_ = std::make_unique<WindowHost>([today] { return today; });
    host_->show();
    if (!QTest::qWaitForWindowExposed(host_->window())) qWarning("window not exposed");
    return host_->window();
  }
  template <class W>
  W* find(CalculatorWindow* window, std::string_view name) {
    auto* widget = window->findChild<W*>(qs(name));
    if (widget == nullptr) qFatal("no control %s", std::string(name).c_str());
    return widget;
  }
  QString resultText(CalculatorWindow* window, std::string_view name) {
    return find<QLineEdit>(window, name)->text();
  }

 private slots:
  void initTestCase() {
    QApplication::setApplicationDisplayName("Quorvane");
    QVERIFY(platform::useChineseTexts());
  }
  void cleanup() { host_.reset(); }

  void catalogueInvariants() {
    std::set<int> tabs;
    std::set<std::string_view> names;
    const ControlSpec* box = nullptr;
    for (const auto& spec : controlCatalogue) {
      tabs.insert(spec.tabIndex);
      names.insert(spec.name);
      if (spec.name == kPictureBox) box = &spec;
    }
    QCOMPARE(controlCatalogue.size(), 118u);
    QCOMPARE(names.size(), 118u);
    QCOMPARE(*tabs.begin(), 0);
    QCOMPARE(*tabs.rbegin(), 117);
    QCOMPARE(tabs.size(), 118u);
    QVERIFY(box != nullptr);
    for (const auto& spec : controlCatalogue) {
      if (spec.name == kPictureBox || spec.name == kScrollBar) continue;
      QVERIFY2(spec.left >= 0 && spec.top >= 0 && spec.left + spec.width <= box->width &&
                   spec.top + spec.height <= box->height,
               std::string(spec.name).c_str());
    }
    for (const auto& field : inputFields) QVERIFY(names.count(field.name));
    for (const auto& field : resultFields) QVERIFY(names.count(field.name));
  }

  void windowAsDefined() {
    auto* window = shown(QDate(2012, 5, 1));
    QCOMPARE(window->windowTitle(), QString("Quorvane"));
    QCOMPARE(window->size(), QSize(716, 816));
    auto* box = find<QWidget>(window, kPictureBox);
    QCOMPARE(box->geometry(), QRect(8, 0, 657, 817));
    QCOMPARE(box->parentWidget(), window);
    QCOMPARE(find<QScrollBar>(window, kScrollBar)->parentWidget(), window);
    for (const auto& spec : controlCatalogue) {
      auto* widget = window->findChild<QWidget*>(qs(spec.name));
      QVERIFY2(widget != nullptr, std::string(spec.name).c_str());
    }
    for (const auto& field : resultFields) {
      QCOMPARE(find<QLineEdit>(window, field.name)->text(), QString());
    }
    QCOMPARE(find<QLineEdit>(window, "误工天数")->accessibleName(), QString("误工天数"));
    const QString longText(40000, '7');  // a text box keeps all of a long paste
    find<QLineEdit>(window, "医疗费")->setText(longText);
    QCOMPARE(window->caseInput().医疗费.size(), std::size_t{40000});
    QCOMPARE(find<QLineEdit>(window, "兄弟姐妹人数")->accessibleName(),
             QString("兄弟姐妹人数不含自己"));
    QCOMPARE(find<QLabel>(window, "Label17")->buddy(), find<QWidget>(window, "兄弟姐妹人数"));
    QCOMPARE(find<QLabel>(window, "主页")->palette().color(QPalette::WindowText),
             QColor(0, 0, 255));
  }

  void platformTextsAreChinese() {
    auto* window = shown(QDate(2012, 5, 1));
    QLineEdit* box = find<QLineEdit>(window, "误工天数");
    const std::unique_ptr<QMenu> boxMenu(box->createStandardContextMenu());
    const QStringList boxTexts = actionTexts(*boxMenu);
    QCOMPARE(boxTexts.size(), 7);  // undo, redo, cut, copy, paste, delete, select all

    QStringList barTexts;  // the scroll bar builds its menu when asked, and runs it
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&barTexts] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        barTexts = actionTexts(*menu);
        menu->close();
      }
    });
    poll.start(5);
    auto* bar = find<QScrollBar>(window, kScrollBar);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                bar->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(bar, &menuEvent);
    poll.stop();
    QCOMPARE(barTexts.size(), 7);  // scroll here, top, bottom, page and step up and down

    MessageAnswerer answers;
    find<QComboBox>(window, "受害人生日日")->setCurrentIndex(-1);
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
    QCOMPARE(answers.seen.size(), 1u);
    for (const QString& text : boxTexts + barTexts + QStringList{answers.seen[0].okText}) {
      QVERIFY2(hasHan(text), qPrintable(text));
    }
  }

  void typeAheadPicksTheNextItemBeginningWithEachKey() {
    const struct {
      const char* list;
      const char* start;  // nullptr: nothing picked
      QString keys;
      const char* expected;
    } cases[] = {
        {"受害人生日月", "8", "1", "10"},
        {"受害人生日月", "8", "12", "2"},  // no search string: "2" after "10" is 2, not 12
        {"受害人生日月", "12", "1", "1"},  // wraps round
        {"受害人生日日", "8", "3", "30"},
        {"受害人生日日", "8", "31", "1"},
        {"受害人生日日", nullptr, "2", "2"},
        {"受害人生日年", "1988", "1", "1987"},
        {"受害人生日年", "1988", "195", "1987"},  // nothing begins with 9 or 5
        {"事故发生日年", "2011", "2", "2012"},
        {"伤残等级", "一", "二", "二"},
        {"伤残等级", "三", "x", "三"},
        {"夫妻或单亲", "夫妻", "夫", "夫妻"},  // the only match is the pick itself
    };
    auto* window = shown(QDate(2012, 5, 1));
    for (const bool open : {false, true}) {
      for (const auto& c : cases) {
        const QString what =
            QString("%1 at %2, keys %3, %4")
                .arg(c.list, c.start ? c.start : "-", c.keys, open ? "open" : "closed");
        auto* list = find<QComboBox>(window, c.list);
        if (c.start) {
          list->setCurrentIndex(list->findText(c.start));
        } else {
          list->setCurrentIndex(-1);
        }
        if (open) list->showPopup();
        typeInto(open ? static_cast<QWidget*>(list->view()) : list, c.keys);
        QVERIFY2(list->currentText() == c.expected, qPrintable(what + ": " + list->currentText()));
        if (open) {
          QVERIFY2(list->view()->currentIndex().row() == list->currentIndex(), qPrintable(what));
          list->hidePopup();
        }
      }
    }
  }

  void wheelOverAnUnfocusedListChangesNothing() {
    auto* window = shown(QDate(2012, 5, 1));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* grade = find<QComboBox>(window, "伤残等级");
    QVERIFY((grade->focusPolicy() & Qt::WheelFocus) !=
            Qt::WheelFocus);  // a real wheel gives no focus
    auto wheelDown = [grade] {
      const QPointF at(10, 10);
      QWheelEvent wheel(at, grade->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(grade, &wheel);
    };
    wheelDown();
    QCOMPARE(grade->currentText(), QString("一"));
    QCOMPARE(window->focusWidget(), find<QWidget>(window, kPictureBox));

    grade->setFocus();  // a list the user chose still follows the wheel
    wheelDown();
    QCOMPARE(grade->currentText(), QString("二"));
  }

  void enterPressesTheFocusedButton() {
    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_Return, "Return"},
                                                    {Qt::Key_Enter, "Enter"}};
    for (const auto& [key, name] : keys) {
      auto* window = shown(QDate(2012, 5, 1));
      window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window));
      auto* calculate = find<QPushButton>(window, kCalculateButton);
      calculate->setFocus();
      QTest::keyClick(calculate, key);
      QVERIFY2(resultText(window, "合计") == "581460", name);

      UrlCatcher urls;
      auto* legalBasis = find<QPushButton>(window, kLegalBasisButton);
      legalBasis->setFocus();
      QTest::keyClick(legalBasis, key);
      QVERIFY2(urls.opened.size() == 1, name);
    }
  }

  void resultsShowFromTheirStart() {
    auto* window = shown(QDate(2012, 5, 1));
    find<QLineEdit>(window, "医疗费")->setText("-0.0000123456789012345");
    auto* total = find<QLineEdit>(window, "合计");
    total->setFocus();
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
    QCOMPARE(resultText(window, "计算医疗费"), QString("-1.23456789012345E-05"));
    for (const auto& field : resultFields) {
      QVERIFY2(find<QLineEdit>(window, field.name)->cursorPosition() == 0,
               std::string(field.name).c_str());
    }
  }

  // The text boxes' frames are drawn once and copied: each box, the first and
  // the copies, enabled or not, is pixel for pixel what the application's
  // style draws for a plain text box of its size.
  void textBoxesLookAsTheStyleDrawsThem() {
    auto* window = shown(QDate(2012, 5, 1));
    for (const bool enabled : {true, false}) {
      for (const char* name : {"误工天数", "交通费", "合计"}) {
        auto* box = find<QLineEdit>(window, name);
        box->setEnabled(enabled);
        QLineEdit plain(box->parentWidget());
        plain.setEnabled(enabled);
        plain.setGeometry(box->geometry());
        QCOMPARE(box->grab().toImage(), plain.grab().toImage());
      }
    }
  }

  void noticeIsPlainTextUnderItsLink() {
    auto* window = shown(QDate(2012, 5, 1));
    auto* notice = find<QLabel>(window, kNoticeLabel);
    auto* link = find<QLabel>(window, kHomeLink);
    QCOMPARE(notice->textFormat(), Qt::PlainText);
    QCOMPARE(notice->text().count('\n'), 1);
    QVERIFY(notice->text().contains(QString("www.quorvane.com　电话")));  // full-width space kept
    QCOMPARE(notice->geometry(), QRect(120, 752, 465, 41));  // the catalogue's place and size
    QCOMPARE(link->geometry(), QRect(216, 768, 121, 17));

    // The link's blue ink lies on exactly the rows where the notice draws the address.
    const int left = link->x() - notice->x();
    const int width = link->fontMetrics().horizontalAdvance(link->text());
    const std::set<int> linkRows = inkRows(link, 0, width);
    std::set<int> addressRows;
    for (int row : inkRows(notice, left, left + width)) {
      if (row >= link->y() && row < link->y() + link->height()) addressRows.insert(row);
    }
    QVERIFY(!linkRows.empty());
    QCOMPARE(addressRows, linkRows);
    QVERIFY(*inkRows(notice, 0, notice->width()).begin() < link->y());  // the first line above it
  }

  void startupListsIn2012() {
    auto* window = shown(QDate(2012, 5, 1));
    auto* accidentYear = find<QComboBox>(window, "事故发生日年");
    QCOMPARE(accidentYear->count(), 2);
    QCOMPARE(accidentYear->itemText(0), QString("2012"));
    QCOMPARE(accidentYear->currentText(), QString("2011"));
    auto* birthYear = find<QComboBox>(window, "受害人生日年");
    QCOMPARE(birthYear->count(), 93);
    QCOMPARE(birthYear->itemText(92), QString("1920"));
    QCOMPARE(birthYear->currentText(), QString("1988"));
    QCOMPARE(find<QComboBox>(window, "受害人生日日")->count(), 31);
    QCOMPARE(find<QComboBox>(window, "事故发生日月")->currentText(), QString("11"));
    QCOMPARE(find<QComboBox>(window, "夫妻或单亲")->currentText(), QString("夫妻"));
    QCOMPARE(find<QComboBox>(window, "伤残等级")->currentText(), QString("一"));
    QCOMPARE(find<QComboBox>(window, "伤残等级")->count(), 10);

    // The fresh window's case calculates at once.
    MessageAnswerer answers;
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
    QVERIFY(answers.seen.empty());
    QCOMPARE(resultText(window, "伤残赔偿金"), QString("581460"));
    QCOMPARE(resultText(window, "合计"), QString("581460"));
  }

  void startupListsAfter2013LeaveTheAccidentYearUnpicked() {
    auto* window = shown(QDate(2026, 12, 8));
    auto* accidentYear = find<QComboBox>(window, "事故发生日年");
    QCOMPARE(accidentYear->count(), 2);
    QCOMPARE(accidentYear->itemText(0), QString("2026"));
    QCOMPARE(accidentYear->currentIndex(), -1);
    QCOMPARE(find<QComboBox>(window, "受害人生日年")->count(), 2026 - 1919);

    MessageAnswerer answers;
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
    QCOMPARE(answers.seen.size(), 1u);
    QCOMPARE(answers.seen[0].text, QString("请选择事故发生日."));

    // Picking a year without standards gives the notice, then results.
    accidentYear->setCurrentIndex(0);
    find<QLineEdit>(window, "误工天数")->setText("3");
    find<QLineEdit>(window, "最近三年日平均收入")->setText("100");
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
    QCOMPARE(answers.seen.size(), 2u);
    QCOMPARE(answers.seen[1].text, QString("请升级"));
    QCOMPARE(resultText(window, "伤残赔偿金"), QString("0"));
    QCOMPARE(resultText(window, "合计"), QString("300"));
  }

  void calculationEndToEnd() {
    auto* window = shown(QDate(2012, 5, 1));
    auto* grade = find<QComboBox>(window, "伤残等级");
    grade->setCurrentIndex(grade->findText("二"));
    find<QComboBox>(window, "事故发生日年")->setCurrentIndex(0);  // 2012
    QTest::keyClicks(find<QLineEdit>(window, "孩子1年龄"), "4");
    QTest::keyClicks(find<QLineEdit>(window, "老人1年龄"), "65");
    QTest::keyClicks(find<QLineEdit>(window, "兄弟姐妹人数"), "2");
    QTest::keyClicks(find<QLineEdit>(window, "护理人员1的工资"), "80.1");
    QTest::keyClicks(find<QLineEdit>(window, "人员1的护理天数"), "3");
    QTest::keyClicks(find<QLineEdit>(window, "医疗费"), "2000.50");

    MessageAnswerer answers;
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
    QVERIFY(answers.seen.empty());
    QCOMPARE(resultText(window, "扶养费孩子1"), QString("138499.193710327"));
    QCOMPARE(resultText(window, "扶养费老人1"), QString("98928"));
    QCOMPARE(resultText(window, "扶养费合计"), QString("237427.193710327"));
    QCOMPARE(resultText(window, "人员1的护理费"), QString("240.3"));
    QCOMPARE(resultText(window, "计算医疗费"), QString("2000.5"));

    // Every box shows exactly the engine's text for the window's case.
    const auto outcome = runCalculation(window->caseInput());
    const auto& result = std::get<CalcCompleted>(outcome).result;
    for (const auto& field : resultFields) {
      QCOMPARE(resultText(window, field.name), QString::fromStdString(result.*field.member));
    }
  }

  void stopsLeaveTheResultsAlone() {
    const struct {
      const char* list;
      const char* message;
    } stops[] = {{"受害人生日月", "请选择受害人生日."}, {"事故发生日日", "请选择事故发生日."}};
    for (const auto& stop : stops) {
      auto* window = shown(QDate(2012, 5, 1));
      for (const auto& field : resultFields)
        find<QLineEdit>(window, field.name)->setText("earlier");
      find<QComboBox>(window, stop.list)->setCurrentIndex(-1);
      MessageAnswerer answers;
      QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
      QCOMPARE(answers.seen.size(), 1u);
      QCOMPARE(answers.seen[0].text, QString(stop.message));
      QCOMPARE(answers.seen[0].title, QString("Quorvane"));
      QCOMPARE(answers.seen[0].icon, QMessageBox::NoIcon);
      QCOMPARE(answers.seen[0].buttons, 1);
      for (const auto& field : resultFields) {
        QCOMPARE(resultText(window, field.name), QString("earlier"));
      }
    }
  }

  void resetShowsAFreshCase() {
    auto* first = shown(QDate(2012, 5, 1));
    QSignalSpy replaced(host_.get(), &WindowHost::windowReplaced);
    MessageAnswerer answers;
    QTest::mouseClick(find<QPushButton>(first, kCalculateButton), Qt::LeftButton);
    find<QLineEdit>(first, "误工天数")->setText("12");
    find<QComboBox>(first, "伤残等级")->setCurrentIndex(3);
    find<QScrollBar>(first, kScrollBar)->setValue(5);
    QPointer<CalculatorWindow> old = first;

    QTest::mouseClick(find<QPushButton>(first, kClearButton), Qt::LeftButton);
    QVERIFY(replaced.wait(2000));
    QTRY_VERIFY(old.isNull());
    auto* fresh = host_->window();
    QVERIFY(fresh->isVisible());
    for (const auto& field : resultFields) QCOMPARE(resultText(fresh, field.name), QString());
    QCOMPARE(find<QLineEdit>(fresh, "误工天数")->text(), QString());
    QCOMPARE(find<QComboBox>(fresh, "伤残等级")->currentText(), QString("一"));
    QCOMPARE(find<QComboBox>(fresh, "事故发生日年")->currentText(), QString("2011"));
    QCOMPARE(find<QScrollBar>(fresh, kScrollBar)->value(), 0);
    QCOMPARE(find<QWidget>(fresh, kPictureBox)->y(), 0);
  }

  // A long session of fill, calculate and reset leaves no window behind: the
  // count of live widgets is the same after every reset.
  void thousandResetsLeaveNothingBehind() {
    shown(QDate(2012, 5, 1));
    qsizetype baseline = -1;
    const long pageKiB = sysconf(_SC_PAGESIZE) / 1024;
    auto residentKiB = [pageKiB] {
      long pages = 0, resident = 0;
      if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
      }
      return resident * pageKiB;
    };
    long firstKiB = 0;
    for (int cycle = 0; cycle < 1000; ++cycle) {
      auto* window = host_->window();
      find<QLineEdit>(window, "误工天数")->setText(QString::number(cycle));
      find<QLineEdit>(window, "最近三年日平均收入")->setText("120.33");
      find<QPushButton>(window, kCalculateButton)->click();
      QCOMPARE(resultText(window, "误工费"), QString::fromStdString(formatAmount(cycle * 120.33)));
      find<QPushButton>(window, kClearButton)->click();
      QCoreApplication::processEvents();
      QVERIFY(host_->window() != window);
      const auto live = QApplication::allWidgets().size();
      if (baseline < 0) {
        baseline = live;
        firstKiB = residentKiB();
      }
      QCOMPARE(live, baseline);
    }
    qInfo("resident memory after the first reset %ld KiB, after the 1000th %ld KiB", firstKiB,
          residentKiB());
  }

  void tooltipsShowTheWorking() {
    auto* window = shown(QDate(2012, 5, 1));
    auto* grade = find<QComboBox>(window, "伤残等级");
    grade->setCurrentIndex(grade->findText("二"));
    find<QLineEdit>(window, "孩子1年龄")->setText("4");
    MessageAnswerer answers;
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);

    CaseWorking working;
    (void)runCalculation(window->caseInput(), &working);
    for (const auto& field : resultFields) {
      QCOMPARE(find<QLineEdit>(window, field.name)->toolTip(),
               QString::fromStdString(working.*field.member));
    }
    QVERIFY(find<QLineEdit>(window, "伤残赔偿金")
                ->toolTip()
                .startsWith("29073 元 × 20 年 × 0.9（二级）= 523313.986136913"));

    // A stopped run leaves results and their working as they were.
    find<QComboBox>(window, "受害人生日日")->setCurrentIndex(-1);
    QTest::mouseClick(find<QPushButton>(window, kCalculateButton), Qt::LeftButton);
    QVERIFY(find<QLineEdit>(window, "伤残赔偿金")->toolTip().contains("523313.986136913"));

    QTest::mouseClick(find<QPushButton>(window, kClearButton), Qt::LeftButton);
    QTRY_VERIFY(host_->window() != window);
    QCOMPARE(find<QLineEdit>(host_->window(), "伤残赔偿金")->toolTip(), QString());
  }

  void printsTheCaseToPdf() {
    auto* window = shown(QDate(2012, 5, 1));
    find<QLineEdit>(window, "住院天数")->setText("3天");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("case.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    window->printReport(printer);

    QProcess extract;
    extract.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    QVERIFY(extract.waitForFinished(20000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(text.contains("581610"), qPrintable(text));  // 581460 + 3 days at 50
    QVERIFY2(text.contains("人身损害赔偿计算书"), qPrintable(text));
    QVERIFY2(text.contains("仅供参考"), qPrintable(text));
    QVERIFY2(text.contains("2012年5月1日"), qPrintable(text));
  }

  void ctrlPOpensThePrintDialog() {
    auto* window = shown(QDate(2012, 5, 1));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QString seen;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&seen] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        seen = dialog->metaObject()->className();
        dialog->reject();
      }
    });
    poll.start(5);
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY2(seen.contains("PrintDialog"), qPrintable(seen));
  }

  void scrolling() {
    auto* window = shown(QDate(2012, 5, 1));
    auto* bar = find<QScrollBar>(window, kScrollBar);
    auto* box = find<QWidget>(window, kPictureBox);
    QCOMPARE(bar->maximum(), 25);
    QCOMPARE(bar->value(), 0);
    const std::pair<int, int> positions[] = {{1, -33}, {24, -800}, {25, -833}, {0, 0}};
    for (auto [value, top] : positions) {
      bar->setValue(value);
      QCOMPARE(box->y(), top);
      QCOMPARE(box->x(), 8);
    }
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(bar->value(), 1);

    // A drag moves nothing until the thumb is released.
    bar->setValue(0);
    bar->setSliderDown(true);
    bar->setSliderPosition(10);
    QCOMPARE(box->y(), 0);
    bar->setSliderDown(false);
    QCOMPARE(bar->value(), 10);
    QCOMPARE(box->y(), -333);
  }

  void focusStartsOnTheFieldAreaAndTabFollowsTheCatalogue() {
    auto* window = shown(QDate(2012, 5, 1));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(window->focusWidget(), find<QWidget>(window, kPictureBox));

    std::vector<const ControlSpec*> focusable;
    for (const auto& spec : controlCatalogue) {
      if (spec.kind != ControlKind::Label && spec.kind != ControlKind::LinkLabel) {
        focusable.push_back(&spec);
      }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    QCOMPARE(focusable.size(), 58u);  // 31 inputs, 22 results, 3 buttons, field area, scroll bar
    for (std::size_t i = 1; i < focusable.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), qs(focusable[i]->name));
    }
  }

  void linksOpenTheirAddresses() {
    auto* window = shown(QDate(2012, 5, 1));
    UrlCatcher urls;
    QTest::mouseClick(find<QPushButton>(window, kLegalBasisButton), Qt::LeftButton);
    auto* link = find<QLabel>(window, kHomeLink);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(urls.opened.size(), 2);
    QCOMPARE(urls.opened[0], QUrl("http://www.quorvane.com/Topic.aspx?Id=15598"));
    QCOMPARE(urls.opened[1], QUrl("http://www.quorvane.com"));

    QTest::mouseMove(link, QPoint(10, 5));
    QTRY_COMPARE(link->cursor().shape(), Qt::PointingHandCursor);
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
