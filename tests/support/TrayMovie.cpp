#include "support/TrayMovie.h"

#include "movie/tray/ManagePage.h"
#include "movie/tray/TrayCards.h"
#include "player/MovieProgram.h"
#include "player/Services.h"
#include "support/Wait.h"

namespace traytest {

using player::Clip;

namespace {

class TrayOnlyMovie : public player::MovieProgram {
public:
    void start(player::Stage& stage) override {
        tray::defineSymbols(stage);
        Clip* root = stage.root();
        root->setVar(QStringLiteral("info_Capture_count"), 0);
        root->setVar(QStringLiteral("testPhotoType"), 1);
        root->define(QStringLiteral("getPhotoType"), [root](const QVariantList&) {
            return root->var(QStringLiteral("testPhotoType"));
        });
        root->define(QStringLiteral("GetButtonHint"), [root](const QVariantList& args) {
            if (args.value(0).toString() != QLatin1String("SaveTarget"))
                return QVariant();
            const bool browser = root->var(QStringLiteral("SetIdeType")).toString() == "ie";
            return QVariant(browser ? QStringLiteral("下载图片") : QStringLiteral("保存图片"));
        });
        Clip* capture = root->createEmptyMovieClip(QStringLiteral("capture_mc"), 14);
        capture->setPos(9, 66);
        capture->hide();
        Clip* tray =
            root->attachMovie(QStringLiteral("manage_page"), QStringLiteral("manage_mc"), 9);
        tray->setPos(11, 66);
        Clip* panel = root->createEmptyMovieClip(QStringLiteral("Upload_Status_mc"), 132);
        panel->setPos(195, 279);
        panel->setRect(QRectF(0, 0, 417, 50), QColor(0x2f, 0x74, 0xc8));
        panel->hide();
        stage.root()->setRect(QRectF(0, 0, 800, 600), QColor(0xf2, 0xf7, 0xfd));
    }
};

} // namespace

TrayMovie::TrayMovie(const QString& photoFolder)
    : MoviePlayer(testsupport::registryOf<TrayOnlyMovie>()) {
    if (!photoFolder.isEmpty())
        stage().services().photos = player::PhotoFolder(photoFolder);
    load(QStringLiteral(IVEMBA_TEST_BUNDLE));
}

bool TrayMovie::waitRestored() {
    return testsupport::waitUntil([this] { return !tray::TrayCards::of(*tray()).restoring(); },
                                  20000);
}

Clip* TrayMovie::tray() const {
    return root()->child(QStringLiteral("manage_mc"));
}

Clip* TrayMovie::card(int n) const {
    return tray()->child(QStringLiteral("Photo") + QString::number(n));
}

Clip* TrayMovie::panel() const {
    return root()->child(QStringLiteral("Upload_Status_mc"));
}

Clip* TrayMovie::snap(QRgb fill) {
    return snapBitmap(std::make_shared<player::Bitmap>(240, 180, true, fill));
}

Clip* TrayMovie::snapBitmap(const player::BitmapPtr& snapshot) {
    const int n = root()->var(QStringLiteral("info_Capture_count")).toInt() + 1;
    root()->setVar(QStringLiteral("info_Capture_count"), n);
    root()->setVar(QStringLiteral("CaptingBmp"), QVariant::fromValue(snapshot));
    tray()->call(QStringLiteral("NewPhoto"), {QVariant()});
    return card(n);
}

QStringList cardNames(const Clip& tray) {
    QStringList names;
    for (const Clip* clip : tray.childClips()) {
        if (clip->name().startsWith(QLatin1String("Photo")))
            names.append(clip->name());
    }
    return names;
}

} // namespace traytest
