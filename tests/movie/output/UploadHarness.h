#pragma once

#include "support/LocalSite.h"
#include "support/TrayMovie.h"

#include <QStringList>
#include <memory>

namespace uploadtest {

// The tray movie with what a browser-edition save talks to: the save settings
// `Uploadsetting_mc`, the compressor `Lwz`, the upload clip `Upload_mc`, the site's upload
// addresses on a local site and a scripted save dialog.
class UploadMovie : public traytest::TrayMovie {
public:
    explicit UploadMovie(testsupport::LocalSite& site);

    [[nodiscard]] player::Clip* settings() const;
    [[nodiscard]] player::Clip* upload() const;

    // Presses the card's save button and waits up to `waitMs` for the settings panel.
    bool openSettings(player::Clip& card, int waitMs = 2000);
    // Fills the fields and presses OK.
    void enter(const QString& title, const QString& author);
    // The whole save: panel, OK, and the upload's request reaching the site.
    bool saveThroughPanel(player::Clip& card, const QString& title = {},
                          const QString& author = {});

    QStringList statusTexts;     // every text the status panel was given
    QStringList saveDialogNames; // default names the save dialog was offered
    QString saveTo;              // what the scripted save dialog answers

private:
    testsupport::LocalSite& m_site;
};

// The pixel text of an upload's compressed "text" field, undone.
[[nodiscard]] QString expand(const QString& compressed);

} // namespace uploadtest
