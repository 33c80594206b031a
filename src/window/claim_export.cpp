#include "claim_export.h"

#include <QFileInfo>

#include "claim_document.h"
#include "odt.h"
#include "platform.h"

namespace quorvane::window {

QString sheetFileName(const QString& casePath, const QString& folder) {
  if (casePath.isEmpty()) return folder + QStringLiteral("/赔偿清单.odt");
  const QFileInfo kase(casePath);
  return kase.absolutePath() + QLatin1Char('/') + kase.completeBaseName() +
         QStringLiteral("-赔偿清单.odt");
}

QString writeSheet(const QString& path, const std::string& facts,
                   const std::vector<claim::TableRow>& rows) {
  return platform::writeWhole(path, document::odtFile(claim::sheetDocument(facts, rows)));
}

}  // namespace quorvane::window
