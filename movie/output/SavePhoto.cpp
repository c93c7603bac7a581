#include "movie/output/SavePhoto.h"

#include "movie/common/ChannelCommands.h"
#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "movie/output/PixelText.h"
#include "movie/output/UploadSettings.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QCoreApplication>
#include <QPointer>
#include <memory>

namespace output {

using player::Clip;
using player::Stage;

namespace {

const QString kTimer = QStringLiteral("Timer");
constexpr int kSaveWidth = 240;
constexpr int kSaveHeight = 180;

Clip* statusPanel(Stage& stage) {
    return stage.root()->resolve(moviecommon::paths::statusPanel);
}

void hideStatus(Stage& stage) {
    if (Clip* panel = statusPanel(stage))
        panel->hide();
}

bool stepPending(Stage& stage, const Clip& card) {
    const int handle = card.var(kTimer).toInt();
    return handle > 0 && stage.intervals().isActive(handle);
}

void clearStep(Stage& stage, Clip& card) {
    stage.intervals().clearInterval(card.var(kTimer).toInt());
    card.setVar(kTimer, 0);
}

// Starts the 50 ms step. A card removed before its step runs takes the step with it: the
// interval is cleared and the status panel, shown for that step, is hidden again.
void startStep(Stage& stage, Clip& card, const QString& step) {
    QPointer<Clip> target(&card);
    QPointer<Stage> where(&stage);
    auto handle = std::make_shared<int>(0);
    *handle = stage.intervals().setInterval(
        [target, where, handle, step] {
            if (!where)
                return;
            if (!target || !target->scene()) {
                where->intervals().clearInterval(*handle);
                hideStatus(*where);
                return;
            }
            target->call(step);
        },
        kSaveStepMs);
    card.setVar(kTimer, *handle);
}

void savePhoto(Stage& stage, Clip& card) {
    if (stepPending(stage, card))
        return;
    if (moviecommon::isBrowserEdition(*stage.root())) {
        startStep(stage, card, QStringLiteral("SavePhoto2Web"));
        return;
    }
    stage.fsCommand(channel::kSavePhotoStart.toString(), QStringLiteral("--"));
    if (Clip* panel = statusPanel(stage)) {
        panel->setVar(QStringLiteral("text"), saveStatusText());
        panel->show();
    } else {
        stage.trace(QStringLiteral("SavePhoto: no status panel /Upload_Status_mc"));
    }
    startStep(stage, card, QStringLiteral("SavePhoto2disc"));
}

void savePhoto2disc(Stage& stage, Clip& card) {
    clearStep(stage, card);
    const QString text = savePictureText(card);
    if (text.isEmpty())
        stage.trace(QStringLiteral("SavePhoto2disc: ") + card.targetPath() +
                    QStringLiteral(" has no picture"));
    else
        stage.fsCommand(channel::kSavePhoto.toString(), text);
    hideStatus(stage);
}

bool uploadUnderWay(Stage& stage, const Clip& settings) {
    if (uploadSettingsEntering(settings))
        return true;
    Clip* upload = stage.root()->resolve(moviecommon::paths::upload);
    return upload && upload->call(moviecommon::calls::isUploading).toBool();
}

// The browser edition's step: the picture goes to the save settings, whose OK uploads it.
// While another upload is being compressed or sent the press is refused, so two uploads
// never share the upload clip.
void savePhoto2Web(Stage& stage, Clip& card) {
    clearStep(stage, card);
    Clip* settings = moviecommon::findClip(card, moviecommon::paths::uploadSettings,
                                           QStringLiteral("SavePhoto2Web"));
    if (!settings)
        return;
    if (uploadUnderWay(stage, *settings)) {
        stage.trace(QStringLiteral("SavePhoto2Web: an upload is still under way; refused"));
        return;
    }
    auto bitmap = std::make_shared<player::Bitmap>(kSaveWidth, kSaveHeight, false, 0xFF000000);
    if (const Clip* pic = card.child(QStringLiteral("pic")))
        bitmap->draw(*pic);
    QPointer<Stage> where(&stage);
    openUploadSettings(*settings, card.var(moviecommon::vars::PhotoType).toInt(), bitmap, [where] {
        if (where)
            savePhoto2WebDo(*where);
    });
}

void savePhoto2WebDoOnCard(Stage& stage, Clip&) {
    savePhoto2WebDo(stage);
}

Clip::Function onCard(Clip& card, void (*operation)(Stage&, Clip&)) {
    QPointer<Clip> self(&card);
    return [self, operation](const QVariantList&) {
        if (self && self->stage())
            operation(*self->stage(), *self);
        return QVariant();
    };
}

} // namespace

QString saveStatusText() {
    return QCoreApplication::translate("output", "提取图像，请稍候 ... ...");
}

void savePhoto2WebDo(Stage& stage) {
    Clip* settings = moviecommon::findClip(*stage.root(), moviecommon::paths::uploadSettings,
                                           QStringLiteral("SavePhoto2Web_do"));
    Clip* upload = moviecommon::findClip(*stage.root(), moviecommon::paths::upload,
                                         QStringLiteral("SavePhoto2Web_do"));
    if (!settings || !upload)
        return;
    if (upload->call(moviecommon::calls::isUploading).toBool()) {
        stage.trace(QStringLiteral("SavePhoto2Web_do: an upload is still under way; refused"));
        return;
    }
    if (Clip* panel = statusPanel(stage)) {
        panel->setVar(QStringLiteral("text"), saveStatusText());
        panel->show();
    }
    upload->call(moviecommon::calls::UploadPic, {settings->var(moviecommon::vars::SaveBmp),
                                                 settings->var(moviecommon::vars::PhotoType)});
}

QString savePictureText(const Clip& card) {
    const Clip* pic = card.child(QStringLiteral("pic"));
    if (!pic)
        return {};
    player::Bitmap bitmap(kSaveWidth, kSaveHeight, false, 0xFF000000);
    bitmap.draw(*pic);
    return pixelText(bitmap.image());
}

void defineSaveFunctions(Clip& card) {
    card.define(moviecommon::calls::SavePhoto, onCard(card, savePhoto));
    card.define(QStringLiteral("SavePhoto2disc"), onCard(card, savePhoto2disc));
    card.define(QStringLiteral("SavePhoto2Web"), onCard(card, savePhoto2Web));
    card.define(QStringLiteral("SavePhoto2Web_do"), onCard(card, savePhoto2WebDoOnCard));
}

} // namespace output
