#pragma once

#include "common/Settings.h"
#include "player/media/Camera.h"
#include "player/photos/PhotoFolder.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QObject;
class QPrinter;
class QWidget;

namespace net {
class Network;
}

namespace player {

// What the movie's runtime reaches outside the process with: the network, the file and
// save choosers, the printer chooser, the address opener and the cameras. The stage owns
// one; the defaults are the real ones (system dialogs, the desktop's browser, Qt's
// network and cameras), and a test replaces any of them by assigning the member, before
// or after the movie starts. Nothing here reads the environment after construction.
class Services {
public:
    // A local file the user chose, or empty when they cancelled. `filter` is a dialog
    // filter such as "Images (*.jpg *.png)".
    using FileChooser = std::function<QString(const QString& filter)>;
    // Where to save a download offered under `defaultName`, or empty when cancelled.
    using SaveChooser = std::function<QString(const QString& defaultName)>;
    // A ready printer, or null when the user cancelled.
    using PrinterChooser = std::function<std::unique_ptr<QPrinter>(QWidget* parent)>;
    // Opens a web address in a browser window named `target`.
    using AddressOpener = std::function<void(const QString& url, const QString& target)>;
    // Offers the cards' pictures (oldest first; `front` the card in front) as a sheet of
    // stickers to print or save.
    using StickerSheetOpener =
        std::function<void(const QList<QImage>& cards, int front, QWidget* parent)>;

    explicit Services(QObject* owner);
    ~Services();
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    [[nodiscard]] net::Network& network() const { return *m_network; }

    FileChooser chooseFile;
    SaveChooser chooseSaveFile;
    PrinterChooser choosePrinter;
    AddressOpener openAddress;
    StickerSheetOpener openStickerSheet;
    // Where the photo cards are kept; the host sets it to its program directory's photos/.
    // Without one (a player with no host) nothing is kept.
    PhotoFolder photos;
    // Read from the environment once, when the services are made; the host hands in its own
    // copy through useSettings. The cameras are chosen from it.
    common::Settings settings;
    void useSettings(common::Settings given);
    // The user changed the settings while the movie plays (the settings panel, the shutter's
    // toggles): they are kept, written to the preferences file and told to every listener,
    // which gets the settings as they were before. A failed write keeps the change for this
    // run and says why.
    common::Status<> changeSettings(common::Settings changed);
    using SettingsListener = std::function<void(const common::Settings& before)>;
    // Listens until `owner` is gone.
    void addSettingsListener(QObject* owner, SettingsListener listener);
    media::CameraSource cameras;

private:
    // The system choosers open where the last file chosen through either of them was, at
    // first in the user's Pictures folder (home when there is none): photos are what the
    // movie opens and saves, and the folder the program was started from means nothing to
    // the user.
    [[nodiscard]] QString startFolder() const;
    QString remember(const QString& chosen);

    net::Network* m_network; // a child of the owner
    QString m_lastFolder;
    QList<QPair<QPointer<QObject>, SettingsListener>> m_settingsListeners;
};

} // namespace player
