#include "complaint_export.h"

#include <QFileInfo>
#include <QFont>
#include <QPrinter>
#include <QTextDocument>

#include "controls.h"
#include "html.h"
#include "odt.h"
#include "platform.h"

namespace quorvane::window {

QString complaintFileName(const QString& casePath, const QString& folder) {
  if (casePath.isEmpty()) return folder + QStringLiteral("/起诉状.odt");
  const QFileInfo kase(casePath);
  return kase.absolutePath() + QLatin1Char('/') + kase.completeBaseName() +
         QStringLiteral("-起诉状.odt");
}

QString writeComplaint(const QString& path, const document::Document& form) {
  return platform::writeWhole(path, document::odtFile(form));
}

void printComplaint(QPrinter& printer, const document::Document& form) {
  QTextDocument page;
  QFont font;
  // Not the window's font, whose bitmaps on a 96 dpi screen forbid merging in
  // other faces: the form's texts need the fallback faces the printer's
  // resolution allows.
  font.setStyleStrategy(QFont::PreferDefault);
  font.setFamilies(songFamilies());
  font.setPointSizeF(10.5);  // 五号, a filed document's text
  page.setDefaultFont(font);
  page.setHtml(qs(document::htmlDocument(form)));
  page.print(&printer);
}

}  // namespace quorvane::window
