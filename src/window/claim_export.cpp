#include "claim_export.h"

#include <QBuffer>
#include <QDate>
#include <QFileInfo>
#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

#include "controls.h"
#include "platform.h"

namespace quorvane::window {
namespace {

// A date typed in three boxes, as YYYY-MM-DD when it is one, else as typed.
QString dateText(const std::string& year, const std::string& month, const std::string& day) {
  const QDate date(qs(year).toInt(), qs(month).toInt(), qs(day).toInt());
  if (date.isValid()) return date.toString(QStringLiteral("yyyy-MM-dd"));
  return QStringList{qs(year), qs(month), qs(day)}.join(QLatin1Char('-'));
}

QTextCharFormat bold(qreal points = 0) {
  QTextCharFormat format;
  format.setFontWeight(QFont::Bold);
  if (points > 0) format.setFontPointSize(points);
  return format;
}

}  // namespace

QString sheetFacts(const CaseInput& input, const claim::ClaimInput& claim) {
  QStringList facts{QStringLiteral("受害人出生日期 ") +
                        dateText(input.受害人生日年, input.受害人生日月, input.受害人生日日),
                    QStringLiteral("事故发生日 ") +
                        dateText(input.事故发生日年, input.事故发生日月, input.事故发生日日)};
  if (!claim.定残日.empty()) facts << QStringLiteral("定残日 ") + qs(claim.定残日);
  facts << QStringLiteral("计算标准年度 ") +
               qs(claim.计算标准年度.empty() ? input.事故发生日年 : claim.计算标准年度);
  if (claim.案件类型 == "死亡") {
    facts << QStringLiteral("死亡");
  } else if (!input.伤残等级.empty()) {
    facts << QStringLiteral("伤残等级 %1级").arg(qs(input.伤残等级));
  }
  return facts.join(QStringLiteral("；"));
}

void fillSheetDocument(QTextDocument& document, const QString& facts,
                       const std::vector<claim::TableRow>& rows) {
  document.clear();
  QTextCursor cursor(&document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(centred);
  cursor.insertText(QStringLiteral("赔偿清单"), bold(16));
  const QTextCharFormat plain;
  cursor.insertBlock(QTextBlockFormat(), plain);
  cursor.insertText(facts, plain);

  QTextTableFormat format;
  format.setBorder(1);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderCollapse(true);
  format.setCellPadding(3);
  format.setCellSpacing(0);
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  format.setHeaderRowCount(1);
  const auto columns = static_cast<int>(claim::kTableColumns.size());
  QTextTable* table = cursor.insertTable(static_cast<int>(rows.size()) + 1, columns, format);
  const auto put = [&](int row, int column, const QString& text, const QTextCharFormat& chars) {
    QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
    if (column == 3) {  // the amounts right-aligned, so that the points line up
      QTextBlockFormat right;
      right.setAlignment(Qt::AlignRight);
      cell.setBlockFormat(right);
    }
    cell.insertText(text, chars);
  };
  for (int column = 0; column < columns; ++column) {
    put(0, column, qs(claim::kTableColumns[static_cast<std::size_t>(column)]), bold());
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto cells = claim::tableCells(rows[r]);
    const bool total = rows[r].kind == claim::TableRow::Kind::total;
    for (int column = 0; column < columns; ++column) {
      put(static_cast<int>(r) + 1, column, qs(cells[static_cast<std::size_t>(column)]),
          total ? bold() : plain);
    }
  }
  cursor.movePosition(QTextCursor::End);
  cursor.insertBlock(QTextBlockFormat(), plain);
  cursor.insertText(QStringLiteral("计算结果仅供参考"), plain);
}

QString sheetFileName(const QString& casePath, const QString& folder) {
  if (casePath.isEmpty()) return folder + QStringLiteral("/赔偿清单.odt");
  const QFileInfo kase(casePath);
  return kase.absolutePath() + QLatin1Char('/') + kase.completeBaseName() +
         QStringLiteral("-赔偿清单.odt");
}

QString writeSheet(const QString& path, const QString& facts,
                   const std::vector<claim::TableRow>& rows) {
  QTextDocument document;
  fillSheetDocument(document, facts, rows);
  // The writer closes its device when done, which a QSaveFile forbids: the
  // document is made in memory, then written whole or not at all.
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (!QTextDocumentWriter(&bytes, "odf").write(&document)) {
    return QStringLiteral("无法生成 OpenDocument 文本");
  }
  const QByteArray& made = bytes.data();
  return platform::writeWhole(
      path, std::string_view(made.constData(), static_cast<std::size_t>(made.size())));
}

}  // namespace quorvane::window
