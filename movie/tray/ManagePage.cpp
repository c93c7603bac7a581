#include "movie/tray/ManagePage.h"

#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "movie/tray/Cascade.h"
#include "movie/tray/PhotoCard.h"
#include "movie/tray/TrayCards.h"
#include "movie/widgets/Button.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCoreApplication>
#include <QGraphicsView>
#include <QPointer>
#include <QStringList>

namespace tray {

using player::Clip;

namespace {

const QString kPreviews = QStringLiteral("Photos_Previews");

void makeHintRect(Clip& page) {
    Clip* rect = page.createEmptyMovieClip(QStringLiteral("Rect_Hint_mc"), 1);
    rect->setRect(QRectF(0, 0, 780, 523), QColor(0x4f, 0x9b, 0xea));
    rect->setAlpha(18.0 / 256.0 * 100.0);
    rect->hide();
}

void makeHintText(Clip& page) {
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = QColor(0x1f, 0x4e, 0x8c);
    style.align = Qt::AlignLeft | Qt::AlignVCenter;
    auto* hint = page.adopt(new player::TextField(QStringLiteral("hint_txt"), {600, 18}, style), 3);
    hint->setPos(15, -21);
    hint->setText(QCoreApplication::translate(
        "tray", "！ 照片可随意拖动，针对每张照片进行删除、打印或下载保存。"));
}

int highestDepth(const Clip& page) {
    const QList<Clip*> children = page.childClips();
    return children.isEmpty() ? 0 : children.constLast()->depth();
}

// The n-th snapshot since the last delete-all becomes card "Photo" + n.
QVariant newPhoto(Clip& page) {
    player::Stage* stage = page.stage();
    if (!stage)
        return {};
    Clip* root = stage->root();
    const int n = root->var(moviecommon::vars::info_Capture_count).toInt();
    if (n < 1) {
        stage->trace(QStringLiteral("NewPhoto: no snapshot counted (info_Capture_count ") +
                     root->var(moviecommon::vars::info_Capture_count).toString() +
                     QLatin1Char(')'));
        return {};
    }
    const int depth = cardDepth(
        n, [&page](int d) { return page.childAtDepth(d) != nullptr; }, highestDepth(page));
    Clip* card = page.attachMovie(moviecommon::symbols::Photo_model,
                                  QStringLiteral("Photo") + QString::number(n), depth);
    if (!card)
        return {};
    card->setPos(cascadePosition(n));
    Clip* pic = card->child(QStringLiteral("pic"));
    const auto snapshot = root->var(moviecommon::vars::CaptingBmp).value<player::BitmapPtr>();
    if (!snapshot)
        stage->trace(QStringLiteral("NewPhoto: no snapshot in CaptingBmp"));
    // The card shows the snapshot itself, not a copy.
    pic->attachBitmap(snapshot, kSnapshotDepth, true);
    pic->show();
    card->setVar(moviecommon::vars::PhotoType, root->call(moviecommon::calls::getPhotoType));
    QStringList previews = page.var(kPreviews).toStringList();
    previews.append(card->targetPath());
    page.setVar(kPreviews, previews);
    if (snapshot)
        TrayCards::of(page).added(*card, snapshot->image(),
                                  card->var(moviecommon::vars::PhotoType).toInt());
    return {};
}

void deleteAll(Clip& page) {
    player::Stage* stage = page.stage();
    if (!stage)
        return;
    // Names are reused after a delete-all, so an old entry may name a newer card; a card
    // taken off by one entry is no longer found by the next, so each goes once.
    TrayCards::of(page).deletedAll();
    const QStringList previews = page.var(kPreviews).toStringList();
    for (const QString& path : previews) {
        if (Clip* card = page.resolve(path); card && card != &page)
            card->removeMovieClip();
    }
    Clip* root = stage->root();
    root->setVar(moviecommon::vars::info_Capture_count, 0);
    const QString counter = moviecommon::captureCountText(0);
    // The capture page shows its counter text variable in its own field.
    if (Clip* capture = root->resolve(moviecommon::paths::capture))
        capture->setVar(moviecommon::vars::info_Capture_count_txt, counter);
    else
        stage->trace(QStringLiteral("delete all: no counter text on capture_mc"));
}

void makeDeleteAll(Clip& page) {
    Clip* button =
        widgets::makeTextButton(page, QStringLiteral("but_deleteALl_photo"), 4, {717.3, 4},
                                QCoreApplication::translate("tray", "删除所有"), {60, 22});
    QPointer<Clip> self(&page);
    button->onPress([self] {
        if (self && self->stage())
            self->stage()->playSound(QStringLiteral("sounds/delete.wav"));
    });
    button->onRelease([self] {
        if (self)
            deleteAll(*self);
    });
}

// Every card as the save button would send it: the picture clip on an opaque 240×180.
QImage cardPicture(const Clip& card) {
    player::Bitmap bitmap(240, 180, false, 0x000000);
    if (const Clip* pic = card.child(QStringLiteral("pic")))
        bitmap.draw(*pic);
    return bitmap.image();
}

void openStickerSheet(Clip& page) {
    player::Stage* stage = page.stage();
    if (!stage)
        return;
    const TrayCards& tray = TrayCards::of(page);
    const QList<Clip*> cards = tray.cards();
    if (cards.isEmpty()) {
        stage->trace(QStringLiteral("stickers: no photo in the tray"));
        return;
    }
    QList<QImage> pictures;
    for (const Clip* card : cards)
        pictures.append(cardPicture(*card));
    const int front = static_cast<int>(cards.indexOf(tray.frontCard()));
    QWidget* parent = stage->views().isEmpty() ? nullptr : stage->views().constFirst();
    if (stage->services().openStickerSheet)
        stage->services().openStickerSheet(pictures, front, parent);
}

void makeStickerButton(Clip& page) {
    Clip* button =
        widgets::makeTextButton(page, QStringLiteral("but_stickers"), 5, {651.3, 4},
                                QCoreApplication::translate("tray", "打印贴纸"), {60, 22});
    QPointer<Clip> self(&page);
    button->onRelease([self] {
        if (self)
            openStickerSheet(*self);
    });
}

void buildPage(Clip& page) {
    makeHintRect(page);
    makeHintText(page);
    makeDeleteAll(page);
    makeStickerButton(page);
    QPointer<Clip> self(&page);
    page.define(moviecommon::calls::NewPhoto,
                [self](const QVariantList&) { return self ? newPhoto(*self) : QVariant(); });
    page.setVar(kPreviews, QStringList());
    page.stop();
    TrayCards::of(page).restore();
}

} // namespace

void defineSymbols(player::Stage& stage) {
    stage.library().define(moviecommon::symbols::manage_page, buildPage);
    defineCard(stage);
}

} // namespace tray
