// The 起诉状 dialog through its controls and the window's: opened from the
// 赔偿清单 dialog, its inputs kept with the case, the requests following the
// case, a fault refusing the export, and the two-car case exported as filed.

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "case_document.h"
#include "case_file.h"
#include "claim_dialog.h"
#include "claim_table.h"
#include "complaint_dialog.h"
#include "complaint_dialog_layout.h"
#include "complaint_export.h"
#include "window.h"
#include "window_testing.h"

using namespace quorvane;
using namespace quorvane::window;
using namespace window_testing;

namespace {

// The claim sheet's worked example.
const Fields kCase = fields(
    "受害人生日年=1988 受害人生日月=8 受害人生日日=8 事故发生日年=2011 事故发生日月=11 "
    "事故发生日日=11 伤残等级=十 夫妻或单亲=夫妻 人员1的护理天数=30 护理人员1的工资=100 "
    "住院天数=20 误工天数=90 最近三年日平均收入=200 孩子1年龄=4 老人1年龄=65 兄弟姐妹人数=2 "
    "交通费=1200 医疗费=35000.50 营养费=600");
const Fields kClaim = fields(
    "计算标准年度=2012 伤残附加指数=3 精神损害抚慰金=10000 交强险=有责 责任比例=70 "
    "商业三者险限额=500000");
// An input of each kind: boxes, lists, the editable list.
const Fields kParties = fields(
    "原告姓名=王某 原告民族=汉族 原告证件类型=护照 原告证件号码=E12345678 代理人姓名=赵某 "
    "代理权限=特别授权 车辆1号牌=京A12345 车辆1所有人类别=法人、非法人组织 诉前保全=否 "
    "先行调解=暂不确定");
const QString kAccident = "在某路口，两车相撞，\"甲\"车倒地。\n受害人受伤住院。";

QString showing(QWidget* dialog, const QString& name) {
  auto* control = dialog->findChild<QWidget*>(name);
  if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
  if (auto* lines = qobject_cast<QPlainTextEdit*>(control)) return lines->toPlainText();
  return static_cast<QLineEdit*>(control)->text();
}

// The complaint the engine makes of the window's case.
complaint::Complaint made(CalculatorWindow* window) {
  return complaint::makeComplaint(window->caseInput(), window->claimInput(),
                                  window->complaintInput(), window->standards());
}

QString lines(const std::vector<std::string>& texts) {
  QStringList joined;
  for (const auto& text : texts) joined << qs(text);
  return joined.join('\n');
}

}  // namespace

class ComplaintDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<WindowHost> host_;

  struct Opened {
    CalculatorWindow* window;
    ClaimDialog* sheet;
    ComplaintDialog* dialog;
  };

  // The window with the case, and the dialog that 起诉状… opened from Ctrl+L's.
  Opened opened(const Fields& kase = kCase, const Fields& claim = kClaim,
                QDate today = QDate(2012, 6, 1)) {
    host_ = startWindow([today] { return today; });
    auto* window = host_->window();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) qWarning("window not active");
    QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier);
    auto* sheet = window->findChild<ClaimDialog*>();
    enter(window, kase);
    enter(sheet, claim);
    QTest::mouseClick(sheet->findChild<QPushButton*>("起诉状按钮"), Qt::LeftButton);
    return {window, sheet, window->findChild<ComplaintDialog*>()};
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8()); }
  void cleanup() { host_.reset(); }

  void opensFromTheSheetWithAnInputForEachField() {
    auto [window, sheet, dialog] = opened();
    QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
    QCOMPARE(dialog->objectName(), QString("起诉状窗"));
    QTest::mouseClick(sheet->findChild<QPushButton*>("起诉状按钮"), Qt::LeftButton);
    QCOMPARE(window->findChildren<ComplaintDialog*>().size(), 1);

    // Each input named by its field, in its group; the lists' first item is the empty input.
    const QMap<QString, QStringList> lists{
        {"原告性别", {"未填", "男", "女"}},
        {"代理权限", {"未填", "一般授权", "特别授权"}},
        {"车辆2所有人类别", {"自然人", "法人、非法人组织"}},
        {"车辆3所有人类别", {"自然人", "法人、非法人组织"}},
        {"诉前保全", {"未填", "是", "否"}},
        {"申请鉴定", {"未填", "是", "否"}},
        {"了解调解", {"未填", "了解", "不了解"}},
        {"先行调解", {"未填", "是", "否", "暂不确定"}},
    };
    const QMap<QString, QString> groupOf{
        {"原告证件号码", "原告"},       {"原告与受害人关系", "原告"},
        {"代理权限", "委托诉讼代理人"}, {"车辆3商业三者险保险公司", "车辆与当事人"},
        {"证据清单", "事故与证据"},     {"鉴定事项", "程序与调解"},
    };
    for (const auto& field : complaint::complaintFields) {
      const QString name = qs(field.name);
      auto* control = dialog->findChild<QWidget*>(name);
      QVERIFY2(control != nullptr, qPrintable(name));
      const bool free = name == "事故经过" || name == "责任认定" || name == "证据清单";
      QCOMPARE(qobject_cast<QPlainTextEdit*>(control) != nullptr, free);
      if (lists.contains(name)) {
        auto* list = qobject_cast<QComboBox*>(control);
        QVERIFY2(list != nullptr, qPrintable(name));
        QStringList items;
        for (int k = 0; k < list->count(); ++k) items << list->itemText(k);
        QCOMPARE(items, lists[name]);
        QVERIFY(!list->isEditable());
      }
      if (groupOf.contains(name)) {
        auto* group = qobject_cast<QGroupBox*>(control->parentWidget());
        QVERIFY2(group != nullptr && group->title() == groupOf[name], qPrintable(name));
      }
    }
    auto* kinds = dialog->findChild<QComboBox*>("原告证件类型");
    QVERIFY(kinds->isEditable());
    QCOMPARE(kinds->currentText(), QString("居民身份证"));
    QVERIFY(dialog->findChild<QPlainTextEdit*>("起诉状请求")->isReadOnly());
    // In sight on a 1024×768 screen, with room for a frame.
    QVERIFY2(
        dialog->sizeHint().width() <= 1000 && dialog->sizeHint().height() <= 720,
        qPrintable(
            QString("%1×%2").arg(dialog->sizeHint().width()).arg(dialog->sizeHint().height())));
  }

  // Saved and opened with the case (a text of several lines too), cleared
  // by 清空, and followed by the title's "*".
  void keepsItsInputsWithTheCase() {
    auto [window, sheet, dialog] = opened();
    const QString path = dir_.filePath("complaint.csv");
    const auto header = [&] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readLine()) : QString();
    };
    QVERIFY(window->document().saveTo(path));
    QVERIFY(!header().contains("原告姓名"));
    enter(dialog, kParties);
    dialog->findChild<QPlainTextEdit*>("事故经过")->setPlainText(kAccident);
    QVERIFY(window->isWindowModified());
    QVERIFY(window->document().saveTo(path));
    QVERIFY2(header().contains(",原告姓名,原告性别,"), qPrintable(header()));
    for (const auto& [change, back] : {std::pair{"先行调解=是", "先行调解=暂不确定"},
                                       {"车辆1号牌=京A1", "车辆1号牌=京A12345"},
                                       {"证据清单=病历", "证据清单="}}) {
      enter(dialog, fields(change));
      QVERIFY2(window->isWindowModified(), change);
      enter(dialog, fields(back));
      QVERIFY2(!window->isWindowModified(), back);
    }
    // A text is cut where a case file could no longer hold it.
    dialog->findChild<QPlainTextEdit*>("证据清单")->setPlainText(QString(6000, QChar(0x5B57)));
    QCOMPARE(window->complaintInput().证据清单.size(), cases::kLongestText / 3 * 3);
    enter(dialog, fields("证据清单="));
    // The first item of a list, and the first kind of document, are the empty input.
    enter(dialog,
          fields("原告性别=女 原告性别=未填 车辆1所有人类别=自然人 原告证件类型=居民身份证"));
    const auto& input = window->complaintInput();
    QCOMPARE(input.原告性别 + input.车辆1所有人类别 + input.原告证件类型, std::string());
    QCOMPARE(showing(dialog, "原告证件类型"), QString("居民身份证"));
    enter(dialog, fields("车辆1所有人类别=法人、非法人组织 原告证件类型=护照"));
    QVERIFY(!window->isWindowModified());

    // 清空: a fresh case with no complaint inputs, the dialog still open.
    QTest::mouseClick(static_cast<QPushButton*>(window->control(kClearButton)), Qt::LeftButton);
    QTRY_VERIFY(host_->window() != window);
    window = host_->window();
    dialog = window->findChild<ComplaintDialog*>();
    QVERIFY(dialog != nullptr);
    QVERIFY(window->complaintInput() == complaint::ComplaintInput{});
    QCOMPARE(showing(dialog, "原告姓名") + showing(dialog, "事故经过"), QString());
    QCOMPARE(showing(dialog, "先行调解"), QString("未填"));
    QCOMPARE(showing(dialog, "原告证件类型"), QString("居民身份证"));

    QVERIFY(window->document().open(path));
    for (const auto& [name, text] : kParties) QCOMPARE(showing(dialog, name), text);
    QCOMPARE(showing(dialog, "事故经过"), kAccident);
    QCOMPARE(qs(window->complaintInput().事故经过), kAccident);
    QVERIFY(!window->isWindowModified());
    window->setComplaintInput({});  // the boxes showing 护照 and 暂不确定 follow
    QCOMPARE(showing(dialog, "原告证件类型") + showing(dialog, "先行调解"),
             QString("居民身份证未填"));
  }

  // What the window holds of inputs from a case file or the dialog: a list's
  // first item, or a text it does not offer, as empty; line ends as a box writes them.
  void holdsInputsAsTheDialogShowsThem() {
    struct Row {
      std::string_view field;
      std::string given, held;
    };
    for (const auto& [field, given, held] : std::initializer_list<Row>{
             {"原告性别", "未填", ""},
             {"先行调解", "未填", ""},
             {"先行调解", "暂不确定", "暂不确定"},
             {"了解调解", "是", ""},
             {"车辆3所有人类别", "自然人", ""},
             {"车辆3所有人类别", "法人、非法人组织", "法人、非法人组织"},
             {"原告证件类型", "居民身份证", ""},
             {"原告证件类型", "外国人永久居留身份证", "外国人永久居留身份证"},
             {"证据清单", "病历\r\n发票\r照片\r", "病历\n发票\n照片\n"}}) {
      complaint::ComplaintInput input;
      const auto member = complaint::complaintFields[complaintField(field)].member;
      input.*member = given;
      QCOMPARE(qs(shownComplaint(input).*member), qs(held));
    }
  }

  // A change in the window, the sheet or the dialog: the requests and the fee made again.
  void followsTheCaseAndTheSheet_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("change");
    QTest::newRow("window box") << "window"
                                << "医疗费=1000";
    QTest::newRow("window list") << "window"
                                 << "伤残等级=九";
    QTest::newRow("claim input") << "sheet"
                                 << "责任比例=80";
    QTest::newRow("its own input") << "dialog"
                                   << "车辆1交强险保险公司=甲保险公司";
  }
  void followsTheCaseAndTheSheet() {
    QFETCH(QString, where);
    QFETCH(QString, change);
    auto [window, sheet, dialog] = opened();
    auto* requests = dialog->findChild<QPlainTextEdit*>("起诉状请求");
    auto* fee = dialog->findChild<QLabel*>("起诉状受理费");
    const QString before = requests->toPlainText();
    QVERIFY(!before.isEmpty());
    QCOMPARE(before, lines(made(window).requests));
    enter(where == "window"  ? static_cast<QWidget*>(window)
          : where == "sheet" ? static_cast<QWidget*>(sheet)
                             : static_cast<QWidget*>(dialog),
          fields(change));
    QCOMPARE(requests->toPlainText(), lines(made(window).requests));
    QCOMPARE(fee->text(), qs(made(window).feeLine));
    if (where != "dialog") QVERIFY(requests->toPlainText() != before);
  }

  // The sheet refused: its message in red, and neither export nor print until it is put right.
  void aFaultShowsInRedAndRefusesTheExport() {
    auto [window, sheet, dialog] = opened();
    auto* fault = dialog->findChild<QLabel*>("起诉状提示");
    QCOMPARE(fault->text(), QString());
    enter(window, fields("医疗费=1,000"));
    QVERIFY2(fault->text().contains("医疗费“1,000”"), qPrintable(fault->text()));
    QCOMPARE(fault->text(), qs(made(window).fault));
    QCOMPARE(fault->palette().color(QPalette::WindowText), QColor(Qt::darkRed));
    auto* exportButton = dialog->findChild<QPushButton*>("导出起诉状按钮");
    auto* printButton = dialog->findChild<QPushButton*>("打印起诉状按钮");
    QVERIFY(!exportButton->isEnabled() && !printButton->isEnabled());
    QTest::keyClick(dialog, Qt::Key_E, Qt::ControlModifier);  // no file dialog comes up
    MessageAnswerer answers;
    const QString path = dir_.filePath("refused.odt");
    QVERIFY(!dialog->exportTo(path));
    QCOMPARE(answers.seen.size(), 1u);
    QCOMPARE(answers.seen[0].text, "起诉状未导出：" + path + "\n" + fault->text());
    QVERIFY(!QFile::exists(path));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("refused.pdf"));
    dialog->printTo(printer);
    QVERIFY(!QFile::exists(printer.outputFileName()));
    enter(window, fields("医疗费=1000"));
    QCOMPARE(fault->text(), QString());
    QVERIFY(exportButton->isEnabled() && printButton->isEnabled());
  }

  // 导出起诉状… (Ctrl+E): offered beside the case file and named after it;
  // a file that cannot be written says why and leaves nothing behind.
  void exportsBesideTheCaseOrLeavesNoFile() {
    auto [window, sheet, dialog] = opened();
    QVERIFY(window->document().saveTo(dir_.filePath("王某.csv")));
    QApplication::setActiveWindow(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QString suggested;
    QTimer::singleShot(0, dialog, [&] {
      auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (files == nullptr) return;
      suggested = files->selectedFiles().value(0);
      files->selectFile(dir_.filePath("complaint.odt"));
      static_cast<QDialog*>(files)->accept();
    });
    auto* story = dialog->findChild<QPlainTextEdit*>("事故经过");  // typed in, as a user does
    story->setFocus();
    QTest::keyClick(story, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(suggested, dir_.filePath("王某-起诉状.odt"));
    QFile written(dir_.filePath("complaint.odt"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("PK"));  // a zip, as every OpenDocument file is
    QCOMPARE(complaintFileName({}, "/home/a"), QString("/home/a/起诉状.odt"));
    QCOMPARE(complaintFileName("/home/a/王某.2023.csv", "/x"),
             QString("/home/a/王某.2023-起诉状.odt"));

    QFile blocker(dir_.filePath("not-a-folder"));
    QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write("x") == 1);
    blocker.close();
    for (const QString folder : {"not-a-folder", "no-such-folder"}) {
      MessageAnswerer answers;
      const QString path = dir_.filePath(folder + "/起诉状.odt");
      QVERIFY(!dialog->exportTo(path));
      QCOMPARE(answers.seen.size(), 1u);
      const QString said = answers.seen[0].text;
      QVERIFY2(said.startsWith("起诉状未导出：" + path + "\n") && !said.endsWith('\n'),
               qPrintable(said));
      QCOMPARE(QDir(dir_.path()).entryList({"*folder*"}), QStringList({"not-a-folder"}));
    }
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("x"));
  }

  // Needs the complaint engine and the document writer: the two-car case
  // with its parties, exported and printed, the form's texts where they belong.
  void exportsTheTwoCarCaseAsFiled() {
    const Fields grade5 = fields(
        "受害人生日年=1970 受害人生日月=5 受害人生日日=20 事故发生日年=2023 事故发生日月=3 "
        "事故发生日日=15 伤残等级=五 夫妻或单亲=夫妻 孩子1年龄=10 人员1的护理天数=60 "
        "护理人员1的工资=150 住院天数=60 误工天数=200 最近三年日平均收入=300 交通费=2000 "
        "医疗费=120000 营养费=3000");
    const Fields twoCars = fields(
        "计算标准年度=2024 定残日=2023-09-01 精神损害抚慰金=30000 护理依赖=部分 "
        "后续护理年限=10 后续护理日工资=150 后续治疗费=20000 财产损失=3000 鉴定费=3500 "
        "交强险=有责 商业三者险限额=1000000 责任比例=70 车辆2交强险=有责 车辆2责任比例=20 "
        "车辆2商业三者险限额=200000");
    auto [window, sheet, dialog] = opened(grade5, twoCars, QDate(2024, 6, 1));
    StandardsTable table;
    table.add("2024", {88650, 50897, 50, 50}, "");
    window->setStandards(table);
    enter(dialog, fields("原告姓名=王某 车辆1号牌=京A12345 车辆1驾驶人=张某 "
                         "车辆1交强险保险公司=甲财产保险股份有限公司北京分公司 "
                         "车辆2号牌=京B67890 车辆2驾驶人=李某 车辆2所有人=乙运输有限公司 "
                         "车辆2所有人类别=法人、非法人组织 "
                         "车辆2交强险保险公司=丙财产保险股份有限公司北京分公司 "
                         "车辆2商业三者险保险公司=丁财产保险股份有限公司北京分公司"));
    dialog->findChild<QPlainTextEdit*>("事故经过")
        ->setPlainText("在某路口两车相撞。\n受害人受伤。");
    const QStringList requests{
        "1.判令被告甲财产保险股份有限公司北京分公司在机动车交通事故责任强制保险责任限额内赔偿原告"
        "199500.00元，在商业第三者责任保险责任限额内赔偿原告919941.96元；",
        "2.判令被告丙财产保险股份有限公司北京分公司在机动车交通事故责任强制保险责任限额内赔偿原告"
        "199500.00元；",
        "3.判令被告丁财产保险股份有限公司北京分公司在商业第三者责任保险责任限额内赔偿原告200000.00"
        "元；",
        "4.判令被告李某、乙运输有限公司赔偿原告62840.56元；", "5.本案诉讼费用由被告负担。"};
    QCOMPARE(dialog->findChild<QPlainTextEdit*>("起诉状请求")->toPlainText(), requests.join('\n'));
    QCOMPARE(
        dialog->findChild<QLabel*>("起诉状受理费")->text(),
        QString("案件受理费 19036.04 元（按诉讼请求 1581782.52 元，诉讼费用交纳办法第十三条）"));

    const QString path = dir_.filePath("two-cars.odt");
    QVERIFY(dialog->exportTo(path));
    const QString content = contentXml(path);
    const QStringList paragraphs = odtParagraphs(content);
    const QString text = paragraphs.join('\n');
    const QStringList found{
        "民事起诉状", "（机动车交通事故责任纠纷）",
        "4. 本表 word 电子版填写时，相关栏目可复制粘贴或扩容，但不得改变要素内容、格式设置。例如，"
        "多原告、多被告或多委托诉讼代理人等情况，可根据实际情况复制粘贴；需填写文字较多时，可根据"
        "实际对栏目进行扩容等。",
        // rows 1, 2, 7, 12 and 13
        "累计发生医疗费120000.00元；后续治疗费20000.00元",
        "住院护理60天支付护理费9000."
        "00元（或护理人员发生误工费＿元），或遵医嘱短期护理发生护理费＿元"
        "；后续护理费273750.00元",
        "残疾赔偿金1063800.00元；被扶养人生活费122152.80元",
        "鉴定费3500.00元；本案诉讼费用由被告负担（案件受理费19036.04元）",
        "1581782.52元（各项损失合计1713202.80元）",
        // 事实与理由 1, 3 and 4
        "2023年3月15日，在某路口两车相撞。\n受害人受伤。",
        "车辆京A12345（所有人张某）在甲财产保险股份有限公司北京分公司投保机动车交通事故责任强制保险"
        "，并投保商业第三者责任保险，责任限额1000000元。",
        "车辆京B67890（所有人乙运输有限公司）在丙财产保险股份有限公司北京分公司投保机动车交通事故责"
        "任"
        "强制保险，在丁财产保险股份有限公司北京分公司投保商业第三者责任保险，责任限额200000元。",
        "《中华人民共和国民法典》第一千一百七十九条、第一千一百八十三条、第一千一百八十四条、"
        "第一千二百零八条、第一千二百一十三条，《中华人民共和国道路交通安全法》第七十六条，"
        "《机动车交通事故责任强制保险条例》第二十一条、第二十三条，《最高人民法院关于审理人身损害"
        "赔偿案件适用法律若干问题的解释》第六条、第七条、第八条、第九条、第十条、第十一条、第十二条"
        "、"
        "第十六条、第十七条，《最高人民法院关于审理道路交通事故损害赔偿案件适用法律若干问题的解释》"
        "第十二条、第十三条、第十八条。各项损失的计算方式及依据见附页《赔偿清单》。",
        "具状人（签字、盖章）：　日期："};
    for (const QString& each : found + requests) QVERIFY2(text.contains(each), qPrintable(each));
    // The defendants' blocks in order: each name once, by vehicle and role.
    QCOMPARE(paragraphs.count("被告（自然人）"), 2);
    QCOMPARE(paragraphs.count("被告（法人、非法人组织）"), 4);
    qsizetype at = paragraphs.indexOf("姓名：王某");
    for (const QString name : {"姓名：张某", "名称：甲财产保险股份有限公司北京分公司", "姓名：李某",
                               "名称：乙运输有限公司", "名称：丙财产保险股份有限公司北京分公司",
                               "名称：丁财产保险股份有限公司北京分公司"}) {
      const qsizetype next = paragraphs.indexOf(name);
      QVERIFY2(at >= 0 && next > at && paragraphs.lastIndexOf(name) == next, qPrintable(name));
      at = next;
    }
    // The filed table on the 附页, and the widths: the form's 24/76, the table's own.
    const auto outcome =
        claim::computeClaim(window->caseInput(), window->claimInput(), window->standards(), true);
    QList<QStringList> filed{{"序号", "项目", "计算方式", "金额（元）", "依据"}};
    for (const auto& row : claim::filedTable(outcome)) {
      QStringList cells;
      for (const auto& cell : claim::tableCells(row)) cells << qs(cell);
      filed.append(cells);
    }
    QCOMPARE(odtTables(content).value(odtTables(content).size() - 1), filed);
    std::vector<std::vector<int>> widths;
    for (const auto& block : dialog->complaint().form.blocks) {
      if (const auto* each = std::get_if<document::Table>(&block)) widths.push_back(each->widths);
    }
    QVERIFY(widths.size() > 1);
    QCOMPARE(widths.back(), (std::vector<int>{6, 16, 40, 14, 24}));
    widths.pop_back();
    for (const auto& each : widths) QCOMPARE(each, (std::vector<int>{24, 76}));

    // Printed: the same form.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("complaint.pdf"));
    dialog->printTo(printer);
    QProcess extract;
    extract.start("pdftotext", {"-enc", "UTF-8", printer.outputFileName(), "-"});
    QVERIFY(extract.waitForFinished(20000));
    const QString printed = QString::fromUtf8(extract.readAllStandardOutput());
    for (const char* each :
         {"民事起诉状", "（机动车交通事故责任纠纷）", "被告（自然人）", "具状人", "按票据"}) {
      QVERIFY2(printed.contains(each), each);
    }

    // A check of the complaint's own: the message in red, and no export.
    enter(dialog, fields("原告证件号码=110105197005201234"));
    QCOMPARE(dialog->findChild<QLabel*>("起诉状提示")->text(),
             QString("原告证件号码“110105197005201234”校验位不符"));
    QVERIFY(!dialog->findChild<QPushButton*>("导出起诉状按钮")->isEnabled());
  }
};

QTEST_MAIN(ComplaintDialogTest)
#include "complaint_dialog_test.moc"
