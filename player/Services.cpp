#include "player/Services.h"

#include "player/media/Camera.h"
#include "player/net/Transfer.h"
#include "player/print/PrintService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QPrinter>
#include <QStringList>
#include <QUrl>

namespace player {

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

} // namespace

Services::Services(QObject* owner) : m_network(new net::Network(owner)) {
    chooseFile = [](const QString& filter) {
        return QFileDialog::getOpenFileName(dialogParent(), QString(), QString(), filter);
    };
    chooseSaveFile = [](const QString& defaultName) {
        return QFileDialog::getSaveFileName(dialogParent(), QString(), defaultName);
    };
    choosePrinter = &PrintService::askUser;
    openAddress = [](const QString& url, const QString&) { QDesktopServices::openUrl(QUrl(url)); };
    cameras = media::systemCameras();
}

Services::~Services() = default;

} // namespace player
