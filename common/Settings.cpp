#include "common/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtGlobal>
#include <algorithm>
#include <iterator>

namespace common {

namespace {

// Keys of the preferences file.
const QString kCameraId = QStringLiteral("camera/id");
const QString kMirror = QStringLiteral("camera/mirror");
const QString kCameraAllowed = QStringLiteral("camera/allowed");
const QString kSelfTimer = QStringLiteral("shutter/timer");
const QString kBurst = QStringLiteral("shutter/burst");

template <std::size_t N> int oneOf(const QVariant& value, const int (&allowed)[N], int fallback) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && std::find(std::begin(allowed), std::end(allowed), number) != std::end(allowed)
               ? number
               : fallback;
}

bool flag(const QVariant& value, bool fallback) {
    const QString text = value.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return fallback;
}

} // namespace

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

Settings Settings::atStart() {
    Settings settings = fromEnvironment();
    settings.preferencesFile = userPreferencesFile();
    settings.readPreferences();
    return settings;
}

QString Settings::userPreferencesFile() {
    // Where QSettings keeps the organisation "iVemba"'s application "iVemba" on this system,
    // spelled out so that tests can point the same code at a file of their own.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/iVemba/iVemba.conf");
}

void Settings::readPreferences() {
    if (preferencesFile.isEmpty() || !QFileInfo(preferencesFile).isFile())
        return;
    const QSettings file(preferencesFile, QSettings::IniFormat);
    cameraId = file.value(kCameraId, cameraId).toString();
    mirror = flag(file.value(kMirror), mirror);
    cameraAllowed = flag(file.value(kCameraAllowed), cameraAllowed);
    selfTimer = oneOf(file.value(kSelfTimer), kSelfTimers, selfTimer);
    burst = oneOf(file.value(kBurst), kBursts, burst);
}

Status<> Settings::writePreferences() const {
    if (preferencesFile.isEmpty())
        return {};
    if (!QDir().mkpath(QFileInfo(preferencesFile).absolutePath()))
        return Failure{QStringLiteral("cannot create the folder of ") + preferencesFile};
    QSettings file(preferencesFile, QSettings::IniFormat);
    file.setValue(kCameraId, cameraId);
    file.setValue(kMirror, mirror);
    file.setValue(kCameraAllowed, cameraAllowed);
    file.setValue(kSelfTimer, selfTimer);
    file.setValue(kBurst, burst);
    file.sync();
    if (file.status() != QSettings::NoError)
        return Failure{QStringLiteral("cannot write ") + preferencesFile};
    return {};
}

} // namespace common
