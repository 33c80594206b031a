// The 年度标准 dialog driven through its controls: add, edit and save a year
// and compute by it; faulty cells refused; delete; import; cancel; saves that
// fail; a file refused at start-up kept as .bak; the field area's menu.

#include <unistd.h>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "standards_dialog.h"
#include "standards_file.h"
#include "window.h"
#include "window_testing.h"

using namespace quorvane;
using namespace quorvane::window;

namespace {

const std::string kHeader =
    "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准,"
    "职工平均工资,来源\n";
// A file written before the 职工平均工资 column.
const std::string kHeaderWithoutWage =
    "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准,来源\n";

std::string contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void writeFile(const QString& path, const std::string& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  std::ofstream(path.toStdString(), std::ios::binary) << text;
}

QStringList items(const QComboBox* box) {
  QStringList texts;
  for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
  return texts;
}

}  // namespace

class StandardsDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  std::unique_ptr<WindowHost> host_;

  QString standardsPath() const { return config_.filePath("quorvane/standards.csv"); }

  CalculatorWindow* started(QDate today = QDate(2026, 12, 8)) {
    host_ = startWindow([today] { return today; });
    if (!QTest::qWaitForWindowExposed(host_->window())) qWarning("window not exposed");
    return host_->window();
  }
  static QComboBox* accidentYear(CalculatorWindow* window) {
    return static_cast<QComboBox*>(window->control("事故发生日年"));
  }
  static StandardsDialog* opened(CalculatorWindow* window) {
    // Back to the window, as after a message at start-up.
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) return nullptr;
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    auto* dialog = window->findChild<StandardsDialog*>("年度标准窗");
    if (dialog == nullptr || !QTest::qWaitForWindowExposed(dialog)) return nullptr;
    return dialog;
  }
  static QTableWidget* table(QDialog* dialog) {
    return dialog->findChild<QTableWidget*>("年度标准表");
  }
  static void click(QDialog* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromUtf8(button)), Qt::LeftButton);
  }
  static void type(QTableWidget* table, int row, const standards::RowTexts& texts) {
    for (int column = 0; column < table->columnCount(); ++column) {
      table->model()->setData(table->model()->index(row, column),
                              qs(texts[static_cast<std::size_t>(column)]), Qt::EditRole);
    }
  }
  static QStringList column(QTableWidget* table, int column) {
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, column)->text();
    return texts;
  }

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
  }
  void cleanup() {
    host_.reset();
    QDir(config_.path()).removeRecursively();
    QDir().mkpath(config_.path());
  }

  // What a new user does in December 2026: Ctrl+T, add 2026, save, calculate.
  void addedYearIsSavedAndComputedBy() {
    MessageAnswerer answers;
    auto* window = started();
    auto* years = accidentYear(window);
    years->setCurrentIndex(years->findText("2026"));
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QString("年度标准"));
    auto* rows = table(dialog);
    QCOMPARE(column(rows, 0), QStringList({"2012", "2011"}));
    QVERIFY(!(rows->item(0, 1)->flags() & Qt::ItemIsEditable));
    QCOMPARE(rows->horizontalHeaderItem(5)->text(), QString("职工平均工资"));
    QCOMPARE(rows->item(1, 5)->text(), QString());
    QCOMPARE(rows->item(1, 6)->text(), QString("内置"));

    click(dialog, "添加按钮");
    QCOMPARE(column(rows, 0), QStringList({"2012", "2011", "2026"}));
    QCOMPARE(rows->item(2, 3)->text(), QString("50"));  // rates from the newest row
    QCOMPARE(rows->currentRow(), 2);
    QCOMPARE(rows->currentColumn(), 1);
    const standards::RowTexts typed{"2026", "90000", "52000", "60", "40", "101599", "公报, 核对"};
    type(rows, 2, typed);
    click(dialog, "添加按钮");  // 2026 has a row now: the next year
    QCOMPARE(rows->item(2, 0)->text(), QString("2027"));
    QCOMPARE(rows->item(2, 3)->text(), QString("60"));
    QCOMPARE(rows->item(2, 5)->text(), QString());  // the wage is not carried over
    rows->setCurrentCell(2, 0);
    click(dialog, "删除按钮");
    click(dialog, "保存按钮");
    QTRY_VERIFY(!dialog->isVisible());
    QVERIFY(answers.seen.empty());

    const std::string saved = contents(standardsPath());
    QCOMPARE(saved, kHeader + "2026,90000,52000,60,40,101599,\"公报, 核对\"\n");
    QCOMPARE(items(years), QStringList({"2026", "2025"}));
    QCOMPARE(years->currentText(), QString("2026"));

    QTest::mouseClick(static_cast<QPushButton*>(window->control(kCalculateButton)), Qt::LeftButton);
    QTest::qWait(20);
    QVERIFY(answers.seen.empty());
    auto table2026 = std::get<StandardsTable>(standards::readStandardsFile(saved));
    const auto outcome = runCalculation(window->caseInput(), table2026);
    const auto& expected = std::get<CalcCompleted>(outcome).result;
    for (const auto& field : resultFields) {
      QCOMPARE(static_cast<QLineEdit*>(window->control(field.name))->text(),
               QString::fromStdString(expected.*field.member));
    }
    QVERIFY(static_cast<QLineEdit*>(window->control("伤残赔偿金"))->text() != "0");

    // The batch tool reads the saved file to the same table.
    QProcess tool;
    tool.start(QUORVANE_CALC, {"--standards", standardsPath(), "--list-standards"});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.readAllStandardOutput().toStdString(), standards::standardsCsv(table2026));

    // Opened again, the dialog shows the row as it was typed.
    QTRY_VERIFY(window->findChild<StandardsDialog*>() == nullptr);
    dialog = opened(window);
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->fileRows() == std::vector<standards::RowTexts>{typed});
    dialog->reject();
    QTRY_VERIFY(window->findChild<StandardsDialog*>() == nullptr);

    // A fresh case after 清空 goes by the saved rows too.
    QTest::mouseClick(static_cast<QPushButton*>(window->control(kClearButton)), Qt::LeftButton);
    QTRY_VERIFY(host_->window() != window);
    QCOMPARE(items(accidentYear(host_->window())), QStringList({"2026", "2025"}));
  }

  void faultyCellsAreRefusedNamingTheCell() {
    struct Fault {
      int column;
      const char* text;
      const char* inMessage;
      int row = 2;  // in the table, where the fault is found
    };
    const std::vector<Fault> faults{
        {0, "", "年度“”不是四位数字"},
        {0, "26", "不是四位数字"},
        {0, "20260", "不是四位数字"},
        {0, "2012", "内置标准"},
        {0, "2013", "出现了两次", 3},  // the file's own 2013 is the second
        {1, "", "不是整数"},
        {1, "九万", "不是整数"},
        {1, "-90000", "不是整数"},
        {2, "52000.5", "不是整数"},
        {2, "2147483648", "超过了上限 2147483647"},
        {3, "32768", "超过了上限 32767"},
        {4, " 40", "不是整数"},
        {5, "10万", "不是整数"},
        {5, "2147483648", "超过了上限 2147483647"},
    };
    writeFile(standardsPath(), kHeader + "2013,36469,24046,50,50,,甲\n");
    const std::string before = contents(standardsPath());
    for (const auto& fault : faults) {
      MessageAnswerer answers;
      auto* window = started();
      auto* dialog = opened(window);
      QVERIFY(dialog != nullptr);
      auto* rows = table(dialog);
      click(dialog, "添加按钮");  // 2026 goes above 2013: row 3 of the table
      standards::RowTexts texts{"2026", "90000", "52000", "50", "50", ""};
      texts[static_cast<std::size_t>(fault.column)] = fault.text;
      type(rows, 2, texts);
      click(dialog, "保存按钮");
      QTRY_COMPARE(answers.seen.size(), 1u);
      const QString what =
          QString("column %1, \"%2\": %3").arg(fault.column).arg(fault.text, answers.seen[0].text);
      QVERIFY2(answers.seen[0].text.startsWith(QString("第 %1 行：").arg(fault.row + 1)),
               qPrintable(what));
      QVERIFY2(answers.seen[0].text.contains(fault.inMessage), qPrintable(what));
      QVERIFY2(rows->currentRow() == fault.row && rows->currentColumn() == fault.column,
               qPrintable(what));
      QVERIFY2(dialog->isVisible(), qPrintable(what));
      QCOMPARE(contents(standardsPath()), before);
      host_.reset();
    }
  }

  // One line a year: a file row's 来源 shows whole in its tooltip, as typed; a
  // built-in row's cells say they cannot be changed.
  void aSourceShowsWholeInItsTooltip() {
    const QString source = "北京市统计局、国家统计局北京调查总队：北京市国民经济和社会发展统计公报";
    writeFile(standardsPath(), kHeader + "2024,88650,50897,50,50,," + source.toStdString() + "\n");
    auto* window = started();
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    auto* rows = table(dialog);
    for (int row : {0, 1}) {
      for (int column = 0; column < rows->columnCount(); ++column)
        QCOMPARE(rows->item(row, column)->toolTip(), QString("内置标准，不能修改"));
    }
    QCOMPARE(rows->item(2, 6)->toolTip(), source);
    QVERIFY(rows->item(2, 1)->toolTip().isEmpty());
    rows->model()->setData(rows->model()->index(2, 6), QString("年鉴"), Qt::EditRole);
    QCOMPARE(rows->item(2, 6)->toolTip(), QString("年鉴"));
  }

  // The file predates the wage column: it is written back with the column, empty.
  void deleteRemovesOnlyTheSelectedFileRows() {
    writeFile(standardsPath(),
              kHeaderWithoutWage + "2013,1,1,1,1,\n2016,2,2,2,2,\n2014,3,3,3,3,\n");
    auto* window = started();
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    auto* rows = table(dialog);
    auto* remove = dialog->findChild<QPushButton*>("删除按钮");
    QCOMPARE(column(rows, 0), QStringList({"2012", "2011", "2016", "2014", "2013"}));
    rows->setCurrentCell(1, 0);
    QVERIFY(!remove->isEnabled());  // built in
    rows->setCurrentCell(3, 2);
    QVERIFY(remove->isEnabled());
    click(dialog, "删除按钮");
    QCOMPARE(column(rows, 0), QStringList({"2012", "2011", "2016", "2013"}));
    click(dialog, "保存按钮");
    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(contents(standardsPath()), kHeader + "2016,2,2,2,2,,\n2013,1,1,1,1,,\n");
  }

  // Several rows at once, a built-in one among them: only the file rows go,
  // each the one selected.
  void deleteRemovesSeveralSelectedRows() {
    writeFile(standardsPath(), kHeader + "2013,1,1,1,1,,\n2016,2,2,2,2,,\n2014,3,3,3,3,,\n");
    auto* window = started();
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    auto* rows = table(dialog);
    rows->clearSelection();
    for (int row : {1, 2, 3})
      rows->setRangeSelected(QTableWidgetSelectionRange(row, 1, row, 1), true);
    click(dialog, "删除按钮");
    QCOMPARE(column(rows, 0), QStringList({"2012", "2011", "2013"}));
  }

  void importAsksAboutYearsTheTableHolds_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("incomes");
    QTest::addColumn<bool>("changed");
    QTest::newRow("replace") << "替换" << QStringList({"88650", "40321"}) << true;
    QTest::newRow("keep") << "保留" << QStringList({"1", "40321"}) << true;
    QTest::newRow("cancel") << "Cancel" << QStringList({"1"}) << false;
  }
  void importAsksAboutYearsTheTableHolds() {
    QFETCH(QString, answer);
    QFETCH(QStringList, incomes);
    QFETCH(bool, changed);
    writeFile(standardsPath(), kHeader + "2024,1,1,1,1,,旧\n");
    const QString other = config_.filePath("other.csv");
    writeFile(other, kHeader + "2014,40321,26275,50,50,,年鉴\n2024,88650,50897,50,50,,公报\n");
    MessageAnswerer answers(answer);
    auto* window = started();
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    dialog->importFrom(other);
    QCOMPARE(answers.seen.size(), 1u);
    QVERIFY2(answers.seen[0].text.contains("2024") && !answers.seen[0].text.contains("2014"),
             qPrintable(answers.seen[0].text));
    auto* rows = table(dialog);
    QCOMPARE(column(rows, 1).mid(2), incomes);
    QCOMPARE(column(rows, 0).size(), changed ? 4 : 3);
    QCOMPARE(contents(standardsPath()), kHeader + "2024,1,1,1,1,,旧\n");  // until 保存
  }

  void importRefusesAFileTheReaderRefuses() {
    const QString bad = config_.filePath("bad.csv");
    writeFile(bad, kHeader + "2014,40321,26275,50,50,,\n2015,1.5,1,1,1,,\n");
    MessageAnswerer answers;
    auto* window = started();
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    dialog->importFrom(bad);
    QCOMPARE(answers.seen.size(), 1u);
    QVERIFY2(answers.seen[0].text.startsWith("标准文件未使用：" + bad + " 第 3 行："),
             qPrintable(answers.seen[0].text));
    QCOMPARE(table(dialog)->rowCount(), 2);
  }

  void importOpensWhereTheExamplesLie() {
    const QString example = QUORVANE_EXAMPLES_DIR "/standards-beijing.csv";
    auto* window = started();
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    QString folder;
    QTimer::singleShot(0, dialog, [&] {
      auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (files == nullptr) return;
      folder = files->directory().absolutePath();
      files->selectFile(example);
      static_cast<QDialog*>(files)->accept();
    });
    click(dialog, "导入按钮");
    QCOMPARE(folder, QDir(examplesFolder()).absolutePath());
    QVERIFY(column(table(dialog), 0).contains("2017"));
  }

  void cancelWritesNothing() {
    auto* window = started();
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    click(dialog, "添加按钮");
    type(table(dialog), 2, {"2026", "90000", "52000", "50", "50", ""});
    click(dialog, "取消按钮");
    QTRY_VERIFY(!dialog->isVisible());
    QVERIFY(!QFile::exists(standardsPath()));
    QCOMPARE(items(accidentYear(window)), QStringList({"2026", "2025"}));
  }

  void aFailedSaveKeepsTheOldFileAndTheRows_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("no folder can be made") << "folder is a file";
    QTest::newRow("the file is a folder") << "file is a folder";
    if (geteuid() != 0) QTest::newRow("read-only folder") << "read-only";  // root writes anyway
  }
  void aFailedSaveKeepsTheOldFileAndTheRows() {
    QFETCH(QString, how);
    if (how == "folder is a file") writeFile(config_.filePath("quorvane"), "not a folder");
    if (how == "file is a folder") QDir().mkpath(standardsPath() + "/x");
    if (how == "read-only") writeFile(standardsPath(), kHeader + "2013,1,1,1,1,,\n");
    const std::string before = contents(standardsPath());
    MessageAnswerer answers("Yes");  // keep a refused file as .bak
    auto* window = started();
    // A config folder that cannot be read is refused at start-up.
    const std::size_t atStart = how == "read-only" ? 0u : 1u;
    QTRY_COMPARE(answers.seen.size(), atStart);
    if (how == "read-only") {
      QFile::setPermissions(config_.filePath("quorvane"),
                            QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser);
    }
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    click(dialog, "添加按钮");
    type(table(dialog), 2, {"2026", "90000", "52000", "50", "50", ""});
    click(dialog, "保存按钮");
    QTRY_VERIFY(answers.seen.size() > atStart);
    QTest::qWait(20);
    QFile::setPermissions(config_.filePath("quorvane"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString said = answers.seen.back().text;
    QVERIFY2(said.startsWith("标准文件未保存："), qPrintable(said));
    QVERIFY(dialog->isVisible());
    QCOMPARE(table(dialog)->item(2, 1)->text(), QString("90000"));
    QCOMPARE(contents(standardsPath()), before);
    QCOMPARE(items(accidentYear(window)), QStringList({"2026", "2025"}));
  }

  void aRefusedFileIsKeptAsBak_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("save") << "Yes";
    QTest::newRow("do not") << "No";
  }
  void aRefusedFileIsKeptAsBak() {
    QFETCH(QString, answer);
    const std::string refused = kHeader + "2013,36469,24046,50,50,,\n2014,40321.5,26275,50,50,,\n";
    writeFile(standardsPath(), refused);
    writeFile(standardsPath() + ".bak", "an older backup\n");
    MessageAnswerer answers(answer);
    auto* window = started();
    QTRY_COMPARE(answers.seen.size(), 1u);  // the refusal, at start-up
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    const auto* why = dialog->findChild<QLabel*>("标准文件未采用说明");
    QVERIFY(why->isVisible());
    QVERIFY2(
        why->text().contains(standardsPath() + " 第 3 行：") && why->text().contains("40321.5"),
        qPrintable(why->text()));
    QCOMPARE(table(dialog)->rowCount(), 2);

    click(dialog, "添加按钮");
    type(table(dialog), 2, {"2026", "90000", "52000", "50", "50", ""});
    click(dialog, "保存按钮");
    QTRY_COMPARE(answers.seen.size(), 2u);
    QVERIFY2(answers.seen[1].text.contains(standardsPath() + ".bak"),
             qPrintable(answers.seen[1].text));
    if (answer == "Yes") {
      QTRY_VERIFY(!dialog->isVisible());
      QCOMPARE(contents(standardsPath() + ".bak"), refused);
      QCOMPARE(contents(standardsPath()), kHeader + "2026,90000,52000,50,50,,\n");

      // The saved file was not refused: neither this window nor the fresh case
      // after 清空 says it was, and saving again keeps the .bak of the refused one.
      QTRY_VERIFY(window->findChild<StandardsDialog*>() == nullptr);
      for (bool fresh : {false, true}) {
        if (fresh) {
          QTest::mouseClick(static_cast<QPushButton*>(window->control(kClearButton)),
                            Qt::LeftButton);
          QTRY_VERIFY(host_->window() != window);
          window = host_->window();
        }
        dialog = opened(window);
        QVERIFY(dialog != nullptr);
        QVERIFY2(!dialog->findChild<QLabel*>("标准文件未采用说明")->isVisible(),
                 fresh ? "after 清空" : "in the window that saved");
        click(dialog, "保存按钮");
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(answers.seen.size(), 2u);
        QCOMPARE(contents(standardsPath() + ".bak"), refused);
        QTRY_VERIFY(window->findChild<StandardsDialog*>() == nullptr);
      }
    } else {
      QVERIFY(dialog->isVisible());
      QCOMPARE(contents(standardsPath()), refused);
      QCOMPARE(contents(standardsPath() + ".bak"), "an older backup\n");
    }
  }

  // Saving offers the new years and keeps the accident year picked, or none.
  void savingKeepsTheAccidentYearPicked_data() {
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("2025") << "2025" << QStringList({"2026", "2025"});
    QTest::newRow("none") << "" << QStringList({"2026", "2025", "2013"});
  }
  void savingKeepsTheAccidentYearPicked() {
    QFETCH(QString, picked);
    QFETCH(QStringList, offered);
    auto* window = started();
    auto* years = accidentYear(window);
    years->setCurrentIndex(years->findText(picked));
    QCOMPARE(years->currentText(), picked);
    auto* dialog = opened(window);
    QVERIFY(dialog != nullptr);
    auto* rows = table(dialog);
    click(dialog, "添加按钮");  // the picked year, or the one after the built-in 2012
    for (int column : {1, 2}) rows->model()->setData(rows->model()->index(2, column), "9");
    click(dialog, "保存按钮");
    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(items(years), offered);
    QCOMPARE(years->currentText(), picked);
  }

  // Asked again while the dialog is open, the window opens no second one.
  void theStandardsDialogOpensOnce() {
    auto* window = started();
    window->editStandards();
    window->editStandards();
    QCOMPARE(window->findChildren<StandardsDialog*>().size(), 1);
  }

  void theFieldAreaMenuOffersTheCaseTheStandardsAndPrinting() {
    auto* window = started();
    QStringList offered;
    QTimer::singleShot(0, window, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) offered << action->objectName();
      }
      menu->close();
    });
    QWidget* area = window->control(kPictureBox);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            area->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(area, &event);
    QCOMPARE(offered, QStringList({"保存案例动作", "另存案例动作", "打开案例动作", "复制结果动作",
                                   "年度标准动作", "赔偿清单动作", "打印动作"}));
  }
};

QTEST_MAIN(StandardsDialogTest)
#include "standards_dialog_test.moc"
