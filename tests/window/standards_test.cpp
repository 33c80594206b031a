// The window with a standards file in the user's config folder: the years it
// offers, a calculation by a file's row, and a refused file reported at start.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "window.h"
#include "window_testing.h"

using namespace quorvane;
using namespace quorvane::window;

class StandardsWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  std::unique_ptr<WindowHost> host_;

  void writeStandards(const std::string& rows) {
    QDir(config_.path()).mkpath("quorvane");
    std::ofstream(config_.filePath("quorvane/standards.csv").toStdString())
        << "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准,来源\n"
        << rows;
  }
  CalculatorWindow* started(QDate today) {
    host_ = startWindow([today] { return today; });
    if (!QTest::qWaitForWindowExposed(host_->window())) qWarning("window not exposed");
    return host_->window();
  }
  static QComboBox* list(CalculatorWindow* window, std::string_view name) {
    return static_cast<QComboBox*>(window->control(name));
  }
  static QStringList items(QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
  }
  static QString result(CalculatorWindow* window, std::string_view name) {
    return static_cast<QLineEdit*>(window->control(name))->text();
  }
  static void calculate(CalculatorWindow* window) {
    QTest::mouseClick(static_cast<QPushButton*>(window->control(kCalculateButton)), Qt::LeftButton);
  }

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
  }
  void cleanup() {
    host_.reset();
    QFile::remove(config_.filePath("quorvane/standards.csv"));
  }

  void withoutAFileNothingChanges() {
    MessageAnswerer answers;
    auto* window = started(QDate(2026, 12, 8));
    QCOMPARE(items(list(window, "事故发生日年")), QStringList({"2026", "2025"}));
    QTest::qWait(50);
    QVERIFY(answers.seen.empty());
  }

  void aFileAddsItsYearsNewestFirst() {
    writeStandards(
        "2013,36469,24046,50,50,甲\n2025,90000,52000,50,50,\n2024,88650,50897,50,50,乙\n");
    MessageAnswerer answers;
    auto* window = started(QDate(2026, 12, 8));
    auto* accidentYear = list(window, "事故发生日年");
    QCOMPARE(items(accidentYear), QStringList({"2026", "2025", "2024", "2013"}));
    QCOMPARE(accidentYear->currentIndex(), -1);  // "2011" is not offered, so nothing is picked

    accidentYear->setCurrentIndex(accidentYear->findText("2024"));
    calculate(window);
    QTest::qWait(50);
    QVERIFY(answers.seen.empty());
    QCOMPARE(result(window, "伤残赔偿金"), QString("1773000"));
    QVERIFY(window->control("伤残赔偿金")->toolTip().contains("2024年标准（标准文件，来源：乙）"));

    // In 2012 the built-in years come first and "2011" is picked as before.
    host_.reset();
    window = started(QDate(2012, 6, 1));
    QCOMPARE(items(list(window, "事故发生日年")),
             QStringList({"2012", "2011", "2025", "2024", "2013"}));
    QCOMPARE(list(window, "事故发生日年")->currentText(), QString("2011"));
  }

  void aRefusedFileIsReportedAndTheBuiltInRowsWork() {
    writeStandards("2013,36469,24046,50,50,\n2014,40321.5,26275,50,50,\n");
    MessageAnswerer answers;
    auto* window = started(QDate(2012, 6, 1));
    QTRY_COMPARE(answers.seen.size(), 1u);
    const QString text = answers.seen[0].text;
    QVERIFY2(text.startsWith("标准文件未使用："), qPrintable(text));
    QVERIFY2(text.contains(config_.filePath("quorvane/standards.csv") + " 第 3 行："),
             qPrintable(text));
    QVERIFY2(text.contains("40321.5"), qPrintable(text));
    QCOMPARE(answers.seen[0].buttons, 1);

    QCOMPARE(items(list(window, "事故发生日年")), QStringList({"2012", "2011"}));
    calculate(window);
    QTest::qWait(50);
    QCOMPARE(answers.seen.size(), 1u);
    QCOMPARE(result(window, "伤残赔偿金"), QString("581460"));
    // The file is never changed.
    std::ifstream file(config_.filePath("quorvane/standards.csv").toStdString());
    std::string content((std::istreambuf_iterator<char>(file)), {});
    QVERIFY(content.ends_with("2014,40321.5,26275,50,50,\n"));
  }
};

QTEST_MAIN(StandardsWindowTest)
#include "standards_test.moc"
