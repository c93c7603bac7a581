#include "player/Services.h"

#include "player/media/Camera.h"
#include "player/net/Transfer.h"
#include "player/print/PrintService.h"
#include "player/print/StickerSheetDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <utility>

namespace player {

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

} // namespace

Services::Services(QObject* owner)
    : settings(common::Settings::fromEnvironment()), m_network(new net::Network(owner)) {
    chooseFile = [this](const QString& filter) {
        return remember(
            QFileDialog::getOpenFileName(dialogParent(), QString(), startFolder(), filter));
    };
    chooseSaveFile = [this](const QString& defaultName) {
        return remember(QFileDialog::getSaveFileName(dialogParent(), QString(),
                                                     QDir(startFolder()).filePath(defaultName)));
    };
    choosePrinter = &PrintService::askUser;
    openAddress = [](const QString& url, const QString&) { QDesktopServices::openUrl(QUrl(url)); };
    openStickerSheet = [this](const QList<QImage>& cards, int front, QWidget* parent) {
        StickerSheetDialog dialog(cards, front, chooseSaveFile, parent);
        dialog.exec();
    };
    cameras = media::systemCameras(settings.testCamera, settings.cameraId);
}

Services::~Services() = default;

void Services::useSettings(common::Settings given) {
    settings = std::move(given);
    cameras = media::systemCameras(settings.testCamera, settings.cameraId);
}

common::Status<> Services::changeSettings(common::Settings changed) {
    const common::Settings before = std::exchange(settings, std::move(changed));
    if (settings.cameraId != before.cameraId || settings.testCamera != before.testCamera)
        cameras = media::systemCameras(settings.testCamera, settings.cameraId);
    common::Status<> written = settings.writePreferences();
    const auto listeners = m_settingsListeners;
    for (const auto& [owner, listener] : listeners) {
        if (owner)
            listener(before);
    }
    m_settingsListeners.removeIf([](const auto& entry) { return entry.first.isNull(); });
    return written;
}

void Services::addSettingsListener(QObject* owner, SettingsListener listener) {
    m_settingsListeners.append({QPointer<QObject>(owner), std::move(listener)});
}

QString Services::startFolder() const {
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

QString Services::remember(const QString& chosen) {
    if (!chosen.isEmpty())
        m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

} // namespace player
