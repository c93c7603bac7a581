#include "movie/tray/PhotoCard.h"

#include "movie/common/MovieNames.h"
#include "movie/output/PrintPhoto.h"
#include "movie/output/SavePhoto.h"
#include "movie/tray/CardButtons.h"
#include "movie/tray/Cascade.h"
#include "movie/tray/TrayCards.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCoreApplication>
#include <QGraphicsDropShadowEffect>
#include <QPointer>

namespace tray {

using player::Clip;

namespace {

constexpr QRectF kPicture(0, 0, 240, 180);
// The tray keeps this much of its extent beyond a dragged card's origin.
constexpr qreal kDragMargin = 30;
constexpr qreal kDragInset = 5;

void makePlate(Clip& plate) {
    plate.setRect(kPicture, QColor(0x99, 0x99, 0x99), Qt::white);
}

void makeShadowPlate(Clip& card) {
    Clip* shadow = card.createEmptyMovieClip(QStringLiteral("shadow"), 1);
    makePlate(*shadow);
    // Black, blur 2, 2 pixels away at 45°.
    auto* effect = new QGraphicsDropShadowEffect();
    effect->setColor(Qt::black);
    effect->setBlurRadius(2);
    effect->setOffset(1.414, 1.414);
    shadow->setGraphicsEffect(effect);
}

// Pressing the picture: to the front, then drag within the tray as it is at the press.
void pressPicture(Clip& card) {
    if (card.depth() != kFrontDepth)
        card.swapDepths(kFrontDepth);
    Clip* tray = card.parentClip();
    if (!tray)
        return;
    const QSizeF extent = tray->bounds(tray).size();
    const qreal right = extent.width() - kDragMargin;
    const qreal bottom = extent.height() - kDragMargin;
    card.startDrag(false, QRectF(QPointF(kDragInset, kDragInset), QPointF(right, bottom)));
}

void makePicture(Clip& card) {
    Clip* pic = card.createEmptyMovieClip(QStringLiteral("pic"), 3);
    makePlate(*pic);
    QPointer<Clip> self(&card);
    pic->onPress([self] {
        if (self)
            pressPicture(*self);
    });
    const auto stop = [self] {
        if (self)
            self->stopDrag();
    };
    pic->onRelease(stop);
    pic->onReleaseOutside(stop);
    pic->onRollOver(stop);
}

void makeButtons(Clip& card) {
    QPointer<Clip> self(&card);
    Clip* remove = makeCardButton(card, QStringLiteral("but_delete"), 5, {81.9, 130},
                                  QStringLiteral("art/card_delete.png"),
                                  {QCoreApplication::translate("tray", "删除"), {}});
    remove->onPress([self] {
        if (self && self->stage())
            self->stage()->playSound(QStringLiteral("sounds/delete.wav"));
    });
    // The card is emptied but keeps its name and depth, so numbering and cascade go on.
    remove->onRelease([self] {
        if (!self)
            return;
        if (Clip* tray = self->parentClip())
            TrayCards::of(*tray).deleted(*self);
        self->unloadMovie();
    });

    Clip* print = makeCardButton(card, QStringLiteral("but_print"), 9, {134.95, 130},
                                 QStringLiteral("art/card_print.png"),
                                 {QCoreApplication::translate("tray", "打　印"), {}});
    print->onRelease([self] {
        if (self)
            output::printPhoto(*self);
    });

    Clip* save =
        makeCardButton(card, QStringLiteral("but_save"), 13, {188, 130},
                       QStringLiteral("art/card_save.png"), {{}, QStringLiteral("SaveTarget")});
    save->onRelease([self] {
        if (self)
            self->call(moviecommon::calls::SavePhoto);
    });
}

void makeCaption(Clip& card) {
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = QColor(0x1f, 0x4e, 0x8c);
    auto* caption =
        card.adopt(new player::TextField(QStringLiteral("caption"), {234, 18}, style), 16);
    caption->setPos(3.15, 184);
}

} // namespace

void defineCard(player::Stage& stage) {
    stage.library().define(moviecommon::symbols::Photo_model, [](Clip& card) {
        card.timeline().setTotalFrames(2);
        card.stop();
        makeShadowPlate(card);
        makePicture(card);
        makeButtons(card);
        makeCaption(card);
        output::defineSaveFunctions(card);
    });
}

} // namespace tray
