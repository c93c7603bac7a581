#include "UploadHarness.h"

#include "lzw/Lzw.h"
#include "movie/output/Lwz.h"
#include "movie/output/Upload.h"
#include "movie/output/UploadSettings.h"
#include "player/Services.h"
#include "support/Wait.h"

#include <QLineEdit>
#include <QPushButton>

namespace uploadtest {

using player::Clip;

UploadMovie::UploadMovie(testsupport::LocalSite& site) : m_site(site) {
    Clip* root = this->root();
    root->setVar("SetIdeType", "ie");
    root->setVar("UploadTarget", site.url("/upload2.aspx"));
    root->setVar("UploadPath", site.url("/pics/"));
    Clip* panel = root->createEmptyMovieClip("Uploadsetting_mc", 146);
    panel->hide();
    // Left unbuilt, as the movie leaves it until its first frame is up: opening builds it.
    output::defineLwz(*root->createEmptyMovieClip("Lwz", 120));
    output::defineUpload(*root->createEmptyMovieClip("Upload_mc", 123));
    Clip* status = this->panel();
    QObject::connect(status, &Clip::varChanged, [this, status](const QString& name) {
        if (name == "text")
            statusTexts.append(status->var("text").toString());
    });
    stage().services().chooseSaveFile = [this](const QString& name) {
        saveDialogNames.append(name);
        return saveTo;
    };
    stage().setMovieUrl(site.url("/iVemba/ivemba.swf"));
}

Clip* UploadMovie::settings() const {
    return root()->child("Uploadsetting_mc");
}

Clip* UploadMovie::upload() const {
    return root()->child("Upload_mc");
}

bool UploadMovie::openSettings(Clip& card, int waitMs) {
    Clip* save = card.child("but_save");
    save->press();
    save->release();
    return testsupport::waitUntil([this] { return settings()->isVisible(); }, waitMs);
}

void UploadMovie::enter(const QString& title, const QString& author) {
    output::uploadSettingsField(*settings(), output::kTitleField)->setText(title);
    output::uploadSettingsField(*settings(), output::kAuthorField)->setText(author);
    output::uploadSettingsButton(*settings(), output::kEnterButton)->click();
}

bool UploadMovie::saveThroughPanel(Clip& card, const QString& title, const QString& author) {
    const int before = m_site.count("/upload2.aspx");
    if (!openSettings(card))
        return false;
    enter(title, author);
    return testsupport::waitUntil([&] { return m_site.count("/upload2.aspx") > before; });
}

QString expand(const QString& compressed) {
    QString text;
    const QStringList pieces = compressed.split('*');
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const auto piece = lzw::decompress(std::u16string_view(
            reinterpret_cast<const char16_t*>(pieces[i].utf16()), pieces[i].size()));
        if (!piece)
            return QStringLiteral("<undecodable>");
        text += QString(reinterpret_cast<const QChar*>(piece->data()), piece->size());
    }
    return text;
}

} // namespace uploadtest
