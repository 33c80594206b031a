// A case kept as a file, through the window: save, clear, open; the batch tool
// on the saved file; other encodings and several cases; refused files; the
// modified marker and the questions; copying the results.

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "case_document.h"
#include "case_file.h"
#include "window.h"
#include "window_testing.h"

using namespace quorvane;
using namespace quorvane::window;

namespace {

using Fields = std::vector<std::pair<std::string_view, QString>>;

void enter(CalculatorWindow* window, const Fields& fields) {
  for (const auto& [name, text] : fields) {
    QWidget* control = window->control(name);
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
    } else {
      static_cast<QLineEdit*>(control)->setText(text);
    }
  }
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QString result(CalculatorWindow* window, std::string_view name) {
  return static_cast<QLineEdit*>(window->control(name))->text();
}

void click(CalculatorWindow* window, std::string_view button) {
  QTest::mouseClick(static_cast<QPushButton*>(window->control(button)), Qt::LeftButton);
}

bool sameCase(const CaseInput& a, const CaseInput& b) {
  for (const auto& field : inputFields) {
    if (a.*field.member != b.*field.member) return false;
  }
  return true;
}

}  // namespace

class CaseDocumentTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<WindowHost> host_;

  CalculatorWindow* started(const QString& caseFile = {}) {
    host_ = startWindow([] { return QDate(2012, 6, 1); }, caseFile);
    if (!QTest::qWaitForWindowExposed(host_->window())) qWarning("window not exposed");
    return host_->window();
  }
  QString file(const QString& name) const { return dir_.filePath(name); }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
  }
  void cleanup() { host_.reset(); }

  void savedCasesOpenAsTheyWere_data() {
    QTest::addColumn<Fields>("fields");
    QTest::newRow("as started") << Fields{};
    QTest::newRow("a full case") << Fields{
        {"受害人生日年", "1975"},      {"事故发生日年", "2012"}, {"伤残等级", "五"},
        {"最近三年日平均收入", "300"}, {"住院天数", "12"},       {"孩子1年龄", "4"},
        {"老人1年龄", "70"},           {"兄弟姐妹人数", "2"},    {"医疗费", "12000.5"}};
    QTest::newRow("texts that are not numbers") << Fields{{"医疗费", "1,500"},
                                                          {"孩子1年龄", " 12"},
                                                          {"营养费", "约 \"200\" 元"},
                                                          {"交通费", ""},
                                                          {"夫妻或单亲", ""}};
  }
  void savedCasesOpenAsTheyWere() {
    QFETCH(Fields, fields);
    MessageAnswerer answers;
    auto* window = started();
    enter(window, fields);
    const CaseInput typed = window->caseInput();
    const QString path = file("case.csv");
    QVERIFY(window->document().saveTo(path));
    QCOMPARE(window->windowTitle(), QString("case.csv[*]"));
    QVERIFY(!window->isWindowModified());

    click(window, kClearButton);  // saved: no question
    QTRY_VERIFY(host_->window() != window);
    window = host_->window();
    QCOMPARE(window->windowTitle(), QString("Quorvane"));
    QVERIFY(window->document().open(path));
    QVERIFY(sameCase(window->caseInput(), typed));
    QVERIFY(!window->isWindowModified());
    QVERIFY(answers.seen.empty());
    QCOMPARE(CaseDocument::recentFiles().value(0), QFileInfo(path).absoluteFilePath());
  }

  void theBatchToolGivesTheWindowsResults() {
    auto* window = started();
    enter(window,
          {{"伤残等级", "三"}, {"住院天数", "10"}, {"孩子1年龄", "4"}, {"医疗费", "1,500"}});
    click(window, kCalculateButton);
    const QString path = file("computed.csv");
    QVERIFY(window->document().saveTo(path));
    QProcess tool;
    tool.start(QUORVANE_CALC, {path});
    QVERIFY(tool.waitForFinished());
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split('\n');
    QStringList shown{""};  // no notice
    for (const auto& field : resultFields) shown << result(window, field.name);
    QCOMPARE(lines.value(1), shown.join(','));
  }

  void opensOtherEncodingsAndAskWhichCase() {
    auto* window = started();
    // "事故发生日年,伤残等级\r\n2011,三\r\n" in GB18030.
    writeBytes(file("gb.csv"),
               "\xCA\xC2\xB9\xCA\xB7\xA2\xC9\xFA\xC8\xD5\xC4\xEA,"
               "\xC9\xCB\xB2\xD0\xB5\xC8\xBC\xB6\r\n2011,\xC8\xFD\r\n");
    QVERIFY(window->document().open(file("gb.csv")));
    QCOMPARE(window->caseInput().伤残等级, std::string("三"));
    writeBytes(file("bom.csv"), "\xEF\xBB\xBF伤残等级,医疗费\r\n四,88\r\n");
    QVERIFY(window->document().open(file("bom.csv")));
    QCOMPARE(window->caseInput().伤残等级, std::string("四"));
    QCOMPARE(window->caseInput().事故发生日年, std::string());  // absent: the list unpicked

    writeBytes(file("many.csv"), "案号,伤残等级,医疗费\n(2026)京01民初1号,二,1\n,五,2\n");
    QStringList offered;
    QTimer::singleShot(0, window, [&] {
      auto* chooser = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      if (chooser == nullptr) return;
      offered = chooser->comboBoxItems();
      chooser->setTextValue(offered.value(1));
      chooser->accept();
    });
    QVERIFY(window->document().open(file("many.csv")));
    QCOMPARE(offered, QStringList({"第 2 行  (2026)京01民初1号", "第 3 行"}));
    QCOMPARE(window->caseInput().伤残等级, std::string("五"));
    QCOMPARE(window->caseInput().医疗费, std::string("2"));

    QTimer::singleShot(0, window, [] {
      if (auto* chooser = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
        chooser->reject();
      }
    });
    QVERIFY(!window->document().open(file("many.csv")));  // no case chosen: nothing opened
    QCOMPARE(window->caseInput().医疗费, std::string("2"));
    QCOMPARE(window->caseInput().伤残等级, std::string("五"));
  }

  void opensFromTheTopWithListTextsNotOfferedUnpicked() {
    auto* window = started();
    auto* bar = window->findChild<QScrollBar*>(QString::fromUtf8(kScrollBar));
    bar->setValue(bar->maximum());
    writeBytes(file("odd.csv"), "事故发生日年,伤残等级,医疗费\n1900,十一,5\n");
    QVERIFY(window->document().open(file("odd.csv")));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(window->caseInput().事故发生日年, std::string());
    QCOMPARE(window->caseInput().伤残等级, std::string());
    QCOMPARE(window->caseInput().医疗费, std::string("5"));
    QVERIFY(!window->isWindowModified());  // what the lists cannot show is no change
  }

  void refusedFilesLeaveTheWindowAsItWas_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said");
    QTest::newRow("empty") << QByteArray() << ":1: the file is empty";
    QTest::newRow("header only") << QByteArray("伤残等级\r\n") << ":1: the file holds no case";
    QTest::newRow("unknown column") << QByteArray("伤残等级,备注\n一,x\n") << ":1: \"备注\"";
    QTest::newRow("long field") << "医疗费\n" + QByteArray(1025, '9') + "\n"
                                << ":2: 医疗费 is longer";
    QTest::newRow("binary") << QByteArray(
                                   "\x7F"
                                   "ELF\x02\x01\x01\0\0\0\xFF\xFE\x80",
                                   13)
                            << ":1: not UTF-8";
    QTest::newRow("100 MB") << QByteArray() << ": the file is larger than 16 MB";
  }
  void refusedFilesLeaveTheWindowAsItWas() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    const QString path = file("refused.csv");
    writeBytes(path, bytes);
    if (said.contains("16 MB")) QFile(path).resize(100 << 20);  // sparse
    MessageAnswerer answers;
    auto* window = started();
    enter(window, {{"医疗费", "5"}});
    click(window, kCalculateButton);
    const CaseInput before = window->caseInput();
    const QString total = result(window, "合计");
    QVERIFY(!window->document().open(path));
    QCOMPARE(answers.seen.size(), 1u);  // answered before open() returns
    QVERIFY2(answers.seen[0].text.startsWith("案例文件未打开：" + path + said),
             qPrintable(answers.seen[0].text));
    QVERIFY(sameCase(window->caseInput(), before));
    QCOMPARE(result(window, "合计"), total);
    QCOMPARE(window->windowTitle(), QString("Quorvane"));
  }

  void askBeforeDroppingChanges() {
    const QString path = file("asked.csv");
    {
      MessageAnswerer none;
      auto* window = started();
      enter(window, {{"医疗费", "1"}});
      click(window, kClearButton);  // never saved: no question, as always
      QTRY_VERIFY(host_->window() != window);
      QVERIFY(none.seen.empty());
      QVERIFY(host_->window()->document().saveTo(path));
    }
    auto* window = host_->window();
    enter(window, {{"医疗费", "2"}});
    QVERIFY(window->isWindowModified());
    enter(window, {{"医疗费", ""}});
    QVERIFY(!window->isWindowModified());  // back as the file has it
    enter(window, {{"医疗费", "2"}});
    {
      MessageAnswerer cancel("Cancel");
      click(window, kClearButton);
      QCOMPARE(cancel.seen.size(), 1u);
      QVERIFY(cancel.seen[0].text.contains("asked.csv"));
      QVERIFY(!window->close());
      QCOMPARE(cancel.seen.size(), 2u);
      QCOMPARE(host_->window(), window);
    }
    {
      MessageAnswerer save("Save");
      QVERIFY(window->close());
      QCOMPARE(save.seen.size(), 1u);
    }
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().toStdString(), cases::caseFileText(window->caseInput()));
  }

  // The question's answers for each way of dropping a changed case: Enter
  // saves, Discard drops the changes, Cancel keeps the case as it is.
  void eachAnswerDoesWhatItSays_data() {
    QTest::addColumn<QString>("act");     // 清空, open (another file) or close
    QTest::addColumn<QString>("answer");  // a button's caption, or Enter
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("saved");
    QTest::newRow("清空, Discard") << "清空"
                                   << "Discard" << true << false;
    QTest::newRow("open, Cancel") << "open"
                                  << "Cancel" << false << false;
    QTest::newRow("open, Discard") << "open"
                                   << "Discard" << true << false;
    QTest::newRow("close, Enter") << "close"
                                  << "Enter" << true << true;
  }
  void eachAnswerDoesWhatItSays() {
    QFETCH(QString, act);
    QFETCH(QString, answer);
    QFETCH(bool, goesOn);
    QFETCH(bool, saved);
    const QString path = file("answered.csv");
    auto* window = started();
    enter(window, {{"医疗费", "1"}});
    QVERIFY(window->document().saveTo(path));
    const std::string before = cases::caseFileText(window->caseInput());
    enter(window, {{"伤残等级", "四"}});  // a list's change is a change too
    QVERIFY(window->isWindowModified());
    const CaseInput changed = window->caseInput();
    writeBytes(file("other.csv"), "医疗费\n3\n");

    std::size_t asked = 0;
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      ++asked;
      if (answer == "Enter") return QTest::keyClick(box, Qt::Key_Return);
      for (QAbstractButton* button : box->buttons()) {
        if (button->text().remove('&') == answer) return button->click();
      }
    });
    answerer.start(5);
    bool wentOn = false;
    if (act == "清空") {
      click(window, kClearButton);
      QCoreApplication::processEvents();  // the queued replacement
      wentOn = host_->window() != window;
    } else if (act == "open") {
      wentOn = window->document().open(file("other.csv"));
      QCOMPARE(window->caseInput().医疗费, std::string(goesOn ? "3" : "1"));
      QCOMPARE(window->document().path(), file(goesOn ? "other.csv" : "answered.csv"));
    } else {
      wentOn = window->close();
    }
    answerer.stop();
    QCOMPARE(asked, 1u);
    QCOMPARE(wentOn, goesOn);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().toStdString(), saved ? cases::caseFileText(changed) : before);
  }

  // "Save" answered, and the save fails (its folder became a file: even root
  // cannot write there): the window stays as it was, changes and results kept.
  void aFailedSaveInAnswerDropsNothing_data() {
    QTest::addColumn<QString>("act");
    QTest::newRow("close") << "close";
    QTest::newRow("清空") << "清空";
    QTest::newRow("open") << "open";
  }
  void aFailedSaveInAnswerDropsNothing() {
    QFETCH(QString, act);
    const QString path = file("sub/case.csv");
    QFile::remove(file("sub"));  // the row before's
    QVERIFY(QDir().mkpath(file("sub")));
    auto* window = started();
    QVERIFY(window->document().saveTo(path));
    QVERIFY(QDir(file("sub")).removeRecursively());
    writeBytes(file("sub"), "x");
    writeBytes(file("other.csv"), "医疗费\n3\n");
    enter(window, {{"医疗费", "8"}});
    click(window, kCalculateButton);
    const CaseInput changed = window->caseInput();
    const QString total = result(window, "合计");

    MessageAnswerer answers("Save");
    bool wentOn = true;
    if (act == "close") {
      wentOn = window->close();
    } else if (act == "清空") {
      click(window, kClearButton);
      QCoreApplication::processEvents();  // a replacement would be queued
      wentOn = host_->window() != window;
    } else {
      wentOn = window->document().open(file("other.csv"));
    }
    QVERIFY(!wentOn);
    QCOMPARE(answers.seen.size(), 2u);  // the question, then why the save failed
    QVERIFY2(answers.seen[1].text.startsWith("案例未保存：" + path),
             qPrintable(answers.seen[1].text));
    QCOMPARE(host_->window(), window);
    QVERIFY(window->isVisible());
    QVERIFY(sameCase(window->caseInput(), changed));
    QCOMPARE(result(window, "合计"), total);
    QCOMPARE(window->document().path(), path);
    QVERIFY(window->isWindowModified());
  }

  void remembersTheLastFiveFilesOnceEach() {
    auto* window = started();
    const auto recent = [this](int i) {
      return QFileInfo(file(QString("recent%1.csv").arg(i))).absoluteFilePath();
    };
    for (int i = 1; i <= 7; ++i) QVERIFY(window->document().saveTo(recent(i)));
    QVERIFY(window->document().open(recent(4)));
    const QStringList newest{recent(4), recent(7), recent(6), recent(5), recent(3)};
    QCOMPARE(CaseDocument::recentFiles(), newest);

    QMenu menu;
    window->document().addRecentFiles(menu);
    const QList<QAction*> items = menu.actions();
    QCOMPARE(items.size(), 6);  // a separator, then the files
    QCOMPARE(items[1]->text(), QString("recent4.csv"));
    QCOMPARE(items[1]->toolTip(), recent(4));
    items.back()->trigger();
    QCOMPARE(window->document().path(), recent(3));
  }

  void takesOneDroppedCaseFile_data() {
    QTest::addColumn<QStringList>("dropped");  // names of files here, or web addresses
    QTest::addColumn<bool>("taken");
    QTest::newRow("a case file") << QStringList{"dropped.csv"} << true;
    QTest::newRow("capital letters") << QStringList{"DROPPED.CSV"} << true;
    QTest::newRow("two case files") << QStringList{"dropped.csv", "DROPPED.CSV"} << false;
    QTest::newRow("not .csv") << QStringList{"dropped.txt"} << false;
    QTest::newRow("not on this computer")
        << QStringList{"https://example.com/dropped.csv"} << false;
  }
  void takesOneDroppedCaseFile() {
    QFETCH(QStringList, dropped);
    QFETCH(bool, taken);
    QList<QUrl> urls;
    for (const QString& name : dropped) {
      if (name.startsWith("https:")) {
        urls << QUrl(name);
      } else {
        writeBytes(file(name), "医疗费\n6\n");
        urls << QUrl::fromLocalFile(file(name));
      }
    }
    auto* window = started();
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent entering(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &entering);
    QCOMPARE(entering.isAccepted(), taken);
    QDropEvent dropping(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &dropping);
    QCOMPARE(dropping.isAccepted(), taken);
    QCoreApplication::processEvents();  // the file is opened once the drop is done
    QCOMPARE(window->caseInput().医疗费, std::string(taken ? "6" : ""));
  }

  void aFailedSaveKeepsTheFields() {
    MessageAnswerer answers;
    auto* window = started();
    enter(window, {{"医疗费", "7"}});
    writeBytes(file("not-a-folder"), "x");
    QVERIFY(!window->document().saveTo(file("not-a-folder/case.csv")));
    QCOMPARE(answers.seen.size(), 1u);
    QVERIFY(answers.seen[0].text.startsWith("案例未保存："));
    QCOMPARE(window->caseInput().医疗费, std::string("7"));
    QCOMPARE(window->windowTitle(), QString("Quorvane"));
  }

  void ctrlSAsksForANameOnceAndCommandLineOpens() {
    auto* window = started();
    enter(window, {{"事故发生日年", "2011"}, {"事故发生日月", "3"}, {"事故发生日日", "7"}});
    QString suggested;
    QTimer::singleShot(0, window, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      suggested = dialog->selectedFiles().value(0);
      dialog->selectFile(file("named.csv"));
      static_cast<QDialog*>(dialog)->accept();
    });
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(QFileInfo(suggested).fileName(), QString("案例-2011-3-7.csv"));
    QCOMPARE(window->document().path(), file("named.csv"));
    enter(window, {{"医疗费", "9"}});
    QApplication::setActiveWindow(window);  // back from the file dialog
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);  // no dialog now
    QVERIFY(!window->isWindowModified());

    host_.reset();
    window = started(file("named.csv"));
    QTRY_COMPARE(window->caseInput().医疗费, std::string("9"));
    QCOMPARE(window->windowTitle(), QString("named.csv[*]"));
  }

  void copiesTheResultsInTwoForms() {
    auto* window = started();
    auto* copy = window->findChild<QAction*>("复制结果动作");
    QVERIFY(!copy->isEnabled());
    click(window, kCalculateButton);
    QVERIFY(copy->isEnabled());
    copy->trigger();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const QStringList lines = data->text().split('\n');
    QCOMPARE(lines.size(), 23);  // 22 and the empty end
    QCOMPARE(lines[0], "伤残赔偿金\t" + result(window, "伤残赔偿金"));
    QCOMPARE(lines[21], "合计\t" + result(window, "合计"));
    QVERIFY(data->html().startsWith("<table"));
    QCOMPARE(data->html().count("<tr>"), 22);
    QVERIFY(data->html().contains("<tr><td>合计</td><td>" + result(window, "合计") + "</td></tr>"));
    window->document().saveTo(file("copied.csv"));
    QVERIFY(window->document().open(file("copied.csv")));
    QVERIFY(!copy->isEnabled());  // the results of the case before are gone
    QCOMPARE(result(window, "合计"), QString());
  }
};

QTEST_MAIN(CaseDocumentTest)
#include "case_document_test.moc"
