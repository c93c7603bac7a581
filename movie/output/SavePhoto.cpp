#include "movie/output/SavePhoto.h"

#include "movie/output/PixelText.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Stage.h"

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
    return stage.root()->resolve(QStringLiteral("/Upload_Status_mc"));
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
    if (stage.root()->var(QStringLiteral("SetIdeType")).toString() == QLatin1String("ie")) {
        startStep(stage, card, QStringLiteral("SavePhoto2Web"));
        return;
    }
    stage.fsCommand(QStringLiteral("savephoto_pro"), QStringLiteral("--"));
    if (Clip* panel = statusPanel(stage)) {
        panel->setVar(QStringLiteral("text"), kSaveStatusText);
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
        stage.fsCommand(QStringLiteral("savephoto"), text);
    hideStatus(stage);
}

// The browser edition's step belongs to the upload, which replaces this one; until then
// it only ends the pending step.
void savePhoto2Web(Stage& stage, Clip& card) {
    clearStep(stage, card);
    stage.trace(QStringLiteral("SavePhoto2Web: ") + card.targetPath());
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

QString savePictureText(const Clip& card) {
    const Clip* pic = card.child(QStringLiteral("pic"));
    if (!pic)
        return {};
    player::Bitmap bitmap(kSaveWidth, kSaveHeight, false, 0xFF000000);
    bitmap.draw(*pic);
    return pixelText(bitmap.image());
}

void defineSaveFunctions(Clip& card) {
    card.define(QStringLiteral("SavePhoto"), onCard(card, savePhoto));
    card.define(QStringLiteral("SavePhoto2disc"), onCard(card, savePhoto2disc));
    card.define(QStringLiteral("SavePhoto2Web"), onCard(card, savePhoto2Web));
}

} // namespace output
