#include "common/SiteBase.h"

#include <QtGlobal>

namespace common {

QString siteBase() {
    QString base = qEnvironmentVariable("IVEMBA_SITE_BASE");
    if (base.isEmpty())
        base = QStringLiteral(IVEMBA_SITE_BASE_DEFAULT);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QString siteUrl(const QString& path) {
    return siteBase() + path;
}

} // namespace common
