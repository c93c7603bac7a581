#include "common/Settings.h"

#include <QtGlobal>

namespace common {

QString Settings::normalisedSiteBase(QString base) {
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

Settings Settings::fromEnvironment() {
    Settings settings;
    QString base = qEnvironmentVariable("IVEMBA_SITE_BASE");
    if (base.isEmpty())
        base = QStringLiteral(IVEMBA_SITE_BASE_DEFAULT);
    settings.siteBase = normalisedSiteBase(base);
    if (qEnvironmentVariableIsSet("IVEMBA_TEST_CAMERA"))
        settings.testCamera = qEnvironmentVariable("IVEMBA_TEST_CAMERA");
    return settings;
}

} // namespace common
