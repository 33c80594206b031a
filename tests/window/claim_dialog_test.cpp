// The 赔偿清单 dialog through its controls and the window's: the worked
// example as filed and as the batch tool writes it, the sheet following every
// change, copying, exporting, printing, and the claim inputs kept in case files.

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "case_document.h"
#include "case_file.h"
#include "claim_dialog.h"
#include "claim_document.h"
#include "claim_export.h"
#include "claim_table.h"
#include "window.h"
#include "window_testing.h"

using namespace quorvane;
using namespace quorvane::window;

namespace {

using namespace window_testing;

const Fields kCase = fields(
    "受害人生日年=1988 受害人生日月=8 受害人生日日=8 事故发生日年=2011 事故发生日月=11 "
    "事故发生日日=11 伤残等级=十 夫妻或单亲=夫妻 人员1的护理天数=30 护理人员1的工资=100 "
    "住院天数=20 误工天数=90 最近三年日平均收入=200 孩子1年龄=4 老人1年龄=65 兄弟姐妹人数=2 "
    "交通费=1200 医疗费=35000.50 营养费=600");
const Fields kClaim = fields(
    "计算标准年度=2012 伤残附加指数=3 精神损害抚慰金=10000 交强险=有责 责任比例=70 "
    "商业三者险限额=500000");
// An input of each kind in each group: later care adds 150 × 365 × 10 × 50% to the total.
const Fields kLater = fields(
    "护理依赖=部分 后续护理年限=10 后续护理日工资=150 车辆2交强险=无责 车辆2责任比例=20 "
    "其他受害人财产损失=1000");

// The worked example as filed: 序号, 项目 and 金额 of each row; the 0.00 items
// and 侵权人 0.00 left out.
const QStringList kFiled =
    QString(
        "1 残疾赔偿金 85547.80|2 护理费 3000.00|3 住院伙食补助费 1000.00|4 误工费 18000.00|"
        "5 被扶养人生活费 34295.04|6 交通费 1200.00|7 医疗费 35000.50|8 营养费 600.00|"
        "9 精神损害抚慰金 10000.00| 合计 188643.34| 交强险（医疗费用） 10000.00|"
        " 交强险（死亡伤残） 110000.00| 剩余损失 68643.34| 责任方承担 48050.34|"
        " 商业三者险 48050.34| 受害人自担 20593.00")
        .split('|');

QTableWidget* tableOf(ClaimDialog* dialog) {
  return dialog->findChild<QTableWidget*>("赔偿清单表");
}

// The sheet as shown: 清单提示, then each row's 项目 with its amount.
Fields shown(ClaimDialog* dialog) {
  Fields sheet{{"清单提示", dialog->findChild<QLabel*>("清单提示")->text()}};
  const auto* table = tableOf(dialog);
  for (int row = 0; row < table->rowCount(); ++row) {
    sheet.append({table->item(row, 1)->text(), table->item(row, 3)->text()});
  }
  return sheet;
}

// The rows' five cells as the engine files them for the window's case.
QList<QStringList> filedCells(CalculatorWindow* window) {
  QList<QStringList> rows;
  const auto outcome =
      claim::computeClaim(window->caseInput(), window->claimInput(), window->standards(), true);
  for (const auto& row : claim::filedTable(outcome)) {
    QStringList cells;
    for (const auto& cell : claim::tableCells(row)) cells << qs(cell);
    rows.append(cells);
  }
  return rows;
}

// The shown rows the batch tool writes otherwise: each amount against its
// column (清单 before an item or the total, a payer's name run together).
QString unlikeTheBatchTool(CalculatorWindow* window, ClaimDialog* dialog) {
  const auto texts = claim::columnTexts(
      claim::computeClaim(window->caseInput(), window->claimInput(), window->standards()));
  const auto& names = claim::columnNames();
  const auto* table = tableOf(dialog);
  QString unlike;
  for (int row = 0; row < table->rowCount(); ++row) {
    QString name = table->item(row, 1)->text();
    const bool payer = table->item(row, 0)->text().isEmpty() && name != "合计";
    name = (payer ? "" : "清单") + name.remove("（").remove("）").remove(' ');
    const auto k = std::find(names.begin(), names.end(), name.toStdString());
    if (k == names.end() ||
        qs(texts[static_cast<std::size_t>(k - names.begin())]) != table->item(row, 3)->text()) {
      unlike += name + ' ';
    }
  }
  return unlike;
}

}  // namespace

class ClaimDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<WindowHost> host_;

  // The window with the worked example, and the dialog that Ctrl+L opened on it.
  std::pair<CalculatorWindow*, ClaimDialog*> opened(const Fields& claim = kClaim,
                                                    const Fields& kase = kCase,
                                                    QDate today = QDate(2012, 6, 1)) {
    host_ = startWindow([today] { return today; });
    auto* window = host_->window();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) qWarning("window not active");
    QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier);
    auto* dialog = window->findChild<ClaimDialog*>();
    enter(window, kase);
    enter(dialog, claim);
    return {window, dialog};
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8()); }
  void cleanup() { host_.reset(); }

  void showsTheWorkedExampleAsTheBatchToolWritesItAndCopiesIt() {
    auto [window, dialog] = opened();
    QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
    window->findChild<QAction*>("赔偿清单动作")->trigger();  // again: the same one
    QCOMPARE(window->findChildren<ClaimDialog*>().size(), 1);
    QCOMPARE(dialog->findChild<QComboBox*>("计算标准年度")->itemText(1), QString("2011"));

    // The header, then the rows as filed, in one table, each cell whole as the engine has it.
    auto* table = tableOf(dialog);
    QCOMPARE(dialog->findChildren<QTableWidget*>().size(), 1);
    QStringList header;
    for (int column = 0; column < table->columnCount(); ++column) {
      header << table->horizontalHeaderItem(column)->text();
    }
    QCOMPARE(header, QStringList({"序号", "项目", "计算方式", "金额（元）", "依据"}));
    QStringList filed;
    for (int row = 0; row < table->rowCount(); ++row) {
      filed << QStringList{table->item(row, 0)->text(), table->item(row, 1)->text(),
                           table->item(row, 3)->text()}
                   .join(' ');
    }
    QCOMPARE(filed, kFiled);
    QCOMPARE(shown(dialog).front().second, QString());
    const auto cells = filedCells(window);
    for (int row = 0; row < table->rowCount(); ++row) {
      for (int column = 0; column < 5; ++column) {
        QCOMPARE(table->item(row, column)->text(), cells[row][column]);
      }
      // A long working or basis is cut to fit; the tooltip has it whole.
      QCOMPARE(table->item(row, 2)->toolTip(), cells[row][2]);
      QCOMPARE(table->item(row, 4)->toolTip(), cells[row][4]);
    }
    QCOMPARE(cells[0][2], "32903 元 × 20 年 × 13%（十级 10% + 附加指数 3%）");
    QVERIFY2(unlikeTheBatchTool(window, dialog).isEmpty(),
             qPrintable(unlikeTheBatchTool(window, dialog)));
    // Inputs and the table in sight on a 1024×768 screen, with room for a frame.
    QVERIFY2(
        dialog->sizeHint().width() <= 1000 && dialog->sizeHint().height() <= 720,
        qPrintable(
            QString("%1×%2").arg(dialog->sizeHint().width()).arg(dialog->sizeHint().height())));

    // Copied as filed: the header and the five cells of each row, as text and as HTML.
    QTest::mouseClick(dialog->findChild<QPushButton*>("复制清单按钮"), Qt::LeftButton);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QStringList lines = data->text().split(QChar(10));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.takeFirst(), header.join('\t'));
    QCOMPARE(lines.size(), cells.size());
    for (qsizetype row = 0; row < lines.size(); ++row) QCOMPARE(lines[row], cells[row].join('\t'));
    const QString html = data->html();
    QCOMPARE(html.count("<th>"), 5);
    QCOMPARE(html.count("<tr>"), 1 + kFiled.size());
    QVERIFY(html.contains("<tr><th>序号</th><th>项目</th><th>计算方式</th><th>金额（元）</th>"));
    QVERIFY2(html.contains("<tr><td>9</td><td>精神损害抚慰金</td><td>主张金额</td>"
                           "<td>10000.00</td><td>民法典第一千一百八十三条</td></tr>"),
             qPrintable(html));
    QVERIFY(html.contains("<td>受害人自担</td><td>68643.34 - 48050.34</td><td>20593.00</td>"));

    // Typing inside a box: the cursor stays where the typing is.
    for (QLineEdit* box : {dialog->findChild<QLineEdit*>("商业三者险限额"),
                           dialog->findChild<QComboBox*>("计算标准年度")->lineEdit()}) {
      box->setCursorPosition(0);
      QTest::keyClick(box, Qt::Key_1);
      QCOMPARE(box->cursorPosition(), 1);
    }
  }

  // The court fee under the table, halved under 简易程序, gone with a refusal.
  void showsTheCourtFeeUnderTheTable() {
    auto [window, dialog] = opened();
    auto* fee = dialog->findChild<QLabel*>("案件受理费");
    auto* summary = dialog->findChild<QComboBox*>("简易程序");
    QVERIFY(fee != nullptr && summary != nullptr && !summary->isEditable());
    QCOMPARE(summary->count(), 2);
    QCOMPARE(summary->itemText(0) + summary->itemText(1), QString("否是"));
    QVERIFY(fee->geometry().top() >= tableOf(dialog)->geometry().bottom());
    const QString plain =
        "案件受理费 3661.01 元（按诉讼请求 168050.34 元，诉讼费用交纳办法第十三条）";
    QCOMPARE(fee->text(), plain);
    enter(dialog, fields("简易程序=是"));
    QCOMPARE(window->claimInput().简易程序, std::string("是"));
    QCOMPARE(
        fee->text(),
        "案件受理费 1830.50 元（按诉讼请求 168050.34 元，诉讼费用交纳办法第十三条，简易程序减半）");
    enter(dialog, fields("简易程序=否"));
    QCOMPARE(window->claimInput().简易程序, std::string());
    QCOMPARE(fee->text(), plain);
    enter(window, fields("医疗费=1,000"));
    QCOMPARE(fee->text(), QString());
  }

  // 导出清单… (Ctrl+E): offered beside the case file and named after it; the
  // document holds the title, the facts, the table as filed and the reminder.
  void exportsTheSheetAsADocument() {
    auto [window, dialog] = opened();
    QVERIFY(window->document().saveTo(dir_.filePath("王某.csv")));
    QApplication::setActiveWindow(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QString suggested;
    QTimer::singleShot(0, dialog, [&] {
      auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (files == nullptr) return;
      suggested = files->selectedFiles().value(0);
      files->selectFile(dir_.filePath("sheet.odt"));
      static_cast<QDialog*>(files)->accept();
    });
    // Typed in a box, as a user does: the box does not keep the key for itself.
    auto* box = dialog->findChild<QLineEdit*>("精神损害抚慰金");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(suggested, dir_.filePath("王某-赔偿清单.odt"));
    QCOMPARE(sheetFileName({}, "/home/a"), QString("/home/a/赔偿清单.odt"));

    const QString content = contentXml(dir_.filePath("sheet.odt"));
    const auto rows = odtTables(content).value(0);
    QCOMPARE(rows.value(0), QStringList({"序号", "项目", "计算方式", "金额（元）", "依据"}));
    QCOMPARE(rows.mid(1), filedCells(window));
    // The columns as wide as their texts need: 序号 narrow, the working widest.
    QStringList widths;
    for (const auto& found :
         QRegularExpression(R"(style:rel-column-width="(\d+)\*")").globalMatch(content)) {
      widths << found.captured(1);
    }
    QCOMPARE(widths, QStringList({"600", "1600", "4000", "1400", "2400"}));
    for (const char* text :
         {"赔偿清单",
          "受害人出生日期 1988-08-08；事故发生日 2011-11-11；计算标准年度 2012；伤残等级 十级",
          "计算结果仅供参考"}) {
      QVERIFY2(content.contains(text), text);
    }
    // A death, assessed on a day of its own, on the accident year's standards.
    auto kase = window->caseInput();
    kase.受害人生日月 = "2", kase.受害人生日日 = "30";
    claim::ClaimInput claim;
    claim.定残日 = "2012-01-05", claim.案件类型 = "死亡";
    QCOMPARE(QString::fromStdString(claim::sheetFacts(kase, claim)),
             "受害人出生日期 1988-2-30；事故发生日 2011-11-11；"
             "定残日 2012-01-05；计算标准年度 2011；死亡");
  }

  // A file that cannot be written: the reason said, and nothing left behind.
  void aFailedExportSaysWhyAndLeavesNoFile() {
    auto* dialog = opened().second;
    QFile blocker(dir_.filePath("not-a-folder"));
    QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write("x") == 1);
    blocker.close();
    for (const QString folder : {"not-a-folder", "no-such-folder"}) {
      MessageAnswerer answers;
      const QString path = dir_.filePath(folder + "/清单.odt");
      QVERIFY(!dialog->exportTo(path));
      QCOMPARE(answers.seen.size(), 1u);
      const QString said = answers.seen[0].text;
      QVERIFY2(said.startsWith("清单未导出：" + path + "\n") && !said.endsWith('\n'),
               qPrintable(said));
      QCOMPARE(QDir(dir_.path()).entryList({"*folder*"}), QStringList({"not-a-folder"}));
    }
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("x"));
  }

  // A change in the window or the dialog shows at once.
  void followsEveryChange_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("expected");  // a row's name=amount, or what 清单提示 says
    const char* rows[][3] = {
        {"window box", "医疗费=1000", "合计=154642.84"},
        {"window list", "伤残等级=九", "残疾赔偿金=151353.80"},
        {"无", "交强险=无", "剩余损失=188643.34"},
        {"no standards", "计算标准年度=2016", "计算标准年度“2016”"},
        {"window refusal", "医疗费=1,000", "医疗费“1,000”"},
        {"dialog refusal", "定残日=2012-02-30", "定残日“2012-02-30”"},
        {"death without a wage", "案件类型=死亡", "2012年度没有职工平均工资"},
        {"later care", "护理依赖=部分 后续护理年限=10 后续护理日工资=150", "后续护理费=273750.00"},
        {"vehicle 2", "车辆2交强险=有责 车辆2责任比例=30", "交强险（死亡伤残）=152042.84"},
        {"other victims", "其他受害人医疗费用=10000", "交强险（医疗费用）=7854.10"},
        {"shares over 100", "车辆3责任比例=40", "各车责任比例合计超过 100"},
    };
    for (const auto& row : rows) QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
  }
  void followsEveryChange() {
    QFETCH(QString, change);
    QFETCH(QString, expected);
    auto [window, dialog] = opened();
    QVERIFY(shown(dialog).contains({"合计", "188643.34"}));
    enter(window, fields(change));
    const Fields sheet = shown(dialog);
    if (expected.contains('=')) {
      QVERIFY2(sheet.contains(fields(expected).front()), qPrintable(sheet.front().second));
      QVERIFY2(unlikeTheBatchTool(window, dialog).isEmpty(),
               qPrintable(unlikeTheBatchTool(window, dialog)));
      return;
    }
    // A refusal: the header alone.
    QVERIFY2(sheet.front().second.contains(expected), qPrintable(sheet.front().second));
    QCOMPARE(sheet.size(), 1);
    QCOMPARE(tableOf(dialog)->horizontalHeaderItem(2)->text(), QString("计算方式"));
  }

  // The worked examples of several vehicles and victims, typed through the controls:
  // a grade 五 victim with later care, two cars, then one car and other victims.
  void sharesAmongVehiclesAndVictims_data() {
    QTest::addColumn<QString>("claim");
    QTest::addColumn<QString>("expected");
    const QString later =
        "计算标准年度=2024 定残日=2023-09-01 精神损害抚慰金=30000 护理依赖=部分 后续护理年限=10 "
        "后续护理日工资=150 后续治疗费=20000 财产损失=3000 鉴定费=3500 交强险=有责 "
        "商业三者险限额=1000000 ";
    QTest::newRow("two cars")
        << later + "责任比例=70 车辆2交强险=有责 车辆2责任比例=20 车辆2商业三者险限额=200000"
        << "清单残疾赔偿金=1063800.00 清单被扶养人生活费=122152.80 清单后续护理费=273750.00 "
           "清单合计=1713202.80 交强险医疗费用=36000.00 交强险死亡伤残=360000.00 "
           "交强险财产损失=3000.00 车辆1交强险赔付=199500.00 车辆2交强险赔付=199500.00 "
           "剩余损失=1314202.80 责任方承担=1182782.52 受害人自担=131420.28 "
           "车辆1商业三者险=919941.96 车辆1侵权人=0.00 车辆2责任方承担=262840.56 "
           "车辆2商业三者险=200000.00 车辆2侵权人=62840.56";
    QTest::newRow("other victims")
        << later +
               "责任比例=100 其他受害人死亡伤残=295120 其他受害人医疗费用=151236 "
               "其他受害人财产损失=1000"
        << "交强险死亡伤残=151375.72 交强险医疗费用=8841.46 交强险财产损失=1500.00 "
           "交强险合计=161717.18 剩余损失=1551485.62 商业三者险=1000000.00 侵权人=551485.62";
  }
  void sharesAmongVehiclesAndVictims() {
    QFETCH(QString, claim);
    QFETCH(QString, expected);
    const Fields grade5 = fields(
        "受害人生日年=1970 受害人生日月=5 受害人生日日=20 事故发生日年=2023 事故发生日月=3 "
        "事故发生日日=15 伤残等级=五 夫妻或单亲=夫妻 孩子1年龄=10 人员1的护理天数=60 "
        "护理人员1的工资=150 住院天数=60 误工天数=200 最近三年日平均收入=300 交通费=2000 "
        "医疗费=120000 营养费=3000");
    auto [window, dialog] = opened(fields(claim), grade5, QDate(2024, 6, 1));
    StandardsTable table;
    table.add("2024", {88650, 50897, 50, 50}, "");
    window->setStandards(table);
    // The batch tool's columns for what was typed, and the shown rows the same.
    const auto texts = claim::columnTexts(
        claim::computeClaim(window->caseInput(), window->claimInput(), window->standards()));
    Fields columns;
    for (std::size_t k = 0; k < texts.size(); ++k) {
      columns.append({qs(claim::columnNames()[k]), qs(texts[k])});
    }
    for (const auto& pair : fields(expected)) {
      QVERIFY2(columns.contains(pair), qPrintable(pair.first + " " + columns.front().second));
    }
    QVERIFY2(unlikeTheBatchTool(window, dialog).isEmpty(),
             qPrintable(unlikeTheBatchTool(window, dialog)));
  }

  // A row that 年度标准 saves is offered and used at once.
  void followsTheStandardsInForce() {
    auto [window, dialog] = opened(fields("伤残附加指数=3 计算标准年度=2016"));
    StandardsTable table;
    table.add("2016", {52859, 36642, 50, 50}, "");
    window->setStandards(table);
    auto* years = dialog->findChild<QComboBox*>("计算标准年度");
    QCOMPARE(years->itemText(0), QString("2016"));
    QVERIFY(shown(dialog).contains({"残疾赔偿金", "137433.40"}));  // 52859 × 20 × 13%
    // A newer row saved after it: the year typed stays, in the box and in the sheet.
    table.add("2017", {57230, 38500, 50, 50}, "");
    window->setStandards(table);
    QCOMPARE(years->itemText(0), QString("2017"));
    QCOMPARE(years->currentText(), QString("2016"));
    QCOMPARE(window->claimInput().计算标准年度, std::string("2016"));
    QVERIFY(shown(dialog).contains({"残疾赔偿金", "137433.40"}));
  }

  // 案件类型 死亡: the row's wage gives 丧葬费, and 伤残 is the empty input again.
  void aDeathGoesByTheRowsWage() {
    auto [window, dialog] = opened(fields("计算标准年度=2016 案件类型=死亡"));
    StandardsTable table;
    Standards row{52859, 36642, 50, 50};
    row.averageWage = 85038;
    table.add("2016", row, "");
    window->setStandards(table);
    const Fields sheet = shown(dialog);
    QVERIFY(sheet.contains({"死亡赔偿金", "1057180.00"}));  // 52859 × 20
    QVERIFY(sheet.contains({"丧葬费", "42519.00"}));
    QVERIFY(std::none_of(sheet.begin(), sheet.end(),
                         [](const auto& line) { return line.first == "残疾赔偿金"; }));
    QCOMPARE(window->claimInput().案件类型, std::string("死亡"));
    enter(window, fields("案件类型=伤残"));
    QCOMPARE(window->claimInput().案件类型, std::string());
  }

  // Printed with the case when a claim input is set, dialog closed or not.
  void printsTheSheetWhenAClaimInputIsSet_data() {
    QTest::addColumn<QString>("claim");
    QTest::newRow("none") << "";
    QTest::newRow("无 alone") << "交强险=有责 交强险=无";  // picked, then unpicked
    QTest::newRow("set") << "责任比例=70";
  }
  void printsTheSheetWhenAClaimInputIsSet() {
    QFETCH(QString, claim);
    QPointer<ClaimDialog> dialog = opened(fields(claim)).second;
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTRY_VERIFY(dialog.isNull());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("claim.pdf"));
    host_->window()->printReport(printer);
    QProcess extract;
    extract.start("pdftotext", {"-enc", "UTF-8", printer.outputFileName(), "-"});
    QVERIFY(extract.waitForFinished(20000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(text.contains("人身损害赔偿计算书"), qPrintable(text));
    QCOMPARE(text.contains("赔偿清单"), claim.endsWith("70"));
    QCOMPARE(text.contains("案件受理费"), claim.endsWith("70"));
  }

  void caseFilesKeepTheClaimInputs() {
    auto [window, dialog] = opened({});
    const QString path = dir_.filePath("claim.csv");
    const auto header = [&] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readLine()) : QString();
    };
    QVERIFY(window->document().saveTo(path));
    QVERIFY2(!header().contains("交强险"), qPrintable(header()));  // as files always were
    enter(dialog, kClaim + kLater);
    QVERIFY(window->isWindowModified());
    QVERIFY(window->document().saveTo(path));
    QVERIFY(header().contains("交强险,责任比例"));
    for (const auto& [change, back] : {std::pair{"责任比例=80", "责任比例=70"},
                                       {"护理依赖=完全", "护理依赖=部分"},
                                       {"其他受害人财产损失=0", "其他受害人财产损失=1000"}}) {
      enter(dialog, fields(change));
      QVERIFY2(window->isWindowModified(), change);
      enter(dialog, fields(back));
      QVERIFY2(!window->isWindowModified(), back);
    }
    const auto showing = [&](const QString& name) {
      auto* list = dialog->findChild<QComboBox*>(name);
      return list != nullptr ? list->currentText() : dialog->findChild<QLineEdit*>(name)->text();
    };

    // 清空: a fresh case with no claim inputs, the dialog still open.
    QTest::mouseClick(static_cast<QPushButton*>(window->control(kClearButton)), Qt::LeftButton);
    QTRY_VERIFY(host_->window() != window);
    window = host_->window();
    dialog = window->findChild<ClaimDialog*>();
    QVERIFY(dialog != nullptr && !claim::anySet(window->claimInput()));
    QCOMPARE(dialog->findChild<QComboBox*>("交强险")->currentText(), QString("无"));
    QCOMPARE(dialog->findChild<QLineEdit*>("责任比例")->text(), QString());
    for (const auto& [name, text] : kLater) {
      auto* list = dialog->findChild<QComboBox*>(name);
      QCOMPARE(showing(name), list != nullptr ? QString("无") : QString());
    }

    QVERIFY(window->document().open(path));
    for (const auto& [name, text] : kClaim + kLater) QCOMPARE(showing(name), text);
    QVERIFY(shown(dialog).contains({"合计", "462393.34"}));
    QVERIFY(!window->isWindowModified());

    // Another case with the same claim inputs: the sheet follows the window's fields.
    const QString other = dir_.filePath("other.csv");
    enter(window, fields("医疗费=1000"));
    QVERIFY(window->document().saveTo(other));
    QVERIFY(window->document().open(path));
    QVERIFY(shown(dialog).contains({"合计", "462393.34"}));

    // A list's first item, or a text it does not offer, written in a file: the empty input.
    claim::ClaimInput written = window->claimInput();
    written.交强险 = "有", written.案件类型 = "伤残", written.护理依赖 = "无",
    written.车辆2交强险 = "全责", written.简易程序 = "否";
    QFile file(other);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(cases::caseFileText(window->caseInput(), written)));
    file.close();
    QVERIFY(window->document().open(other));
    const auto& read = window->claimInput();
    QCOMPARE(read.交强险 + read.案件类型 + read.护理依赖 + read.车辆2交强险 + read.简易程序,
             std::string());
    QVERIFY(!window->isWindowModified());
  }
};

QTEST_MAIN(ClaimDialogTest)
#include "claim_dialog_test.moc"
