#include "movie/borders/ListItem.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/TextField.h"
#include "player/loaders/ClipLoader.h"

#include <QCoreApplication>
#include <QPainter>

namespace borders {

using player::Clip;

namespace {

// The caption of an item whose thumbnail could not be loaded.
QString missingThumbnailText() {
    return QCoreApplication::translate("borders", "图片不存在！");
}

// The frame's outer size, and the size the item is measured at: the frame with the shadow
// to its right and below, and the caption.
const QRectF kFrame(0, 0, 112, 85);
const QRectF kArtRect(0, 0, 113.3, 87);
const QColor kOverlay(0x5c, 0x7b, 0xb1);
constexpr int kOverAlpha = 89;
constexpr int kDownAlpha = 102;

// The browser clip that owns the item: the nearest ancestor with the address functions.
Clip* browserOf(const Clip& item) {
    for (Clip* at = item.parentClip(); at; at = at->parentClip()) {
        if (at->hasFunction(moviecommon::calls::getSubPicUrl))
            return at;
    }
    return nullptr;
}

loaders::ClipLoader* loaderOf(const Clip& item) {
    return item.findChild<loaders::ClipLoader*>(QString(), Qt::FindDirectChildrenOnly);
}

void update(Clip& item, const QVariant& index) {
    item.setVar(moviecommon::vars::pIndex, index);
    QVariantMap info = item.var(QStringLiteral("pInfoObj")).toMap();
    info.insert(QStringLiteral("fileid"), index);
    item.setVar(QStringLiteral("pInfoObj"), info);
    item.setVar(QStringLiteral("pic_name"), index.toString());
    Clip* picture = item.child(QStringLiteral("mypic_mc"));
    loaders::ClipLoader* loader = loaderOf(item);
    if (!picture || !loader)
        return;
    picture->hide();
    loader->cancel(picture);
    picture->unloadMovie();
    Clip* browser = browserOf(item);
    if (!browser) {
        item.setVar(QStringLiteral("pic_name"), missingThumbnailText());
        return;
    }
    const QString address = browser->call(moviecommon::calls::getSubPicUrl, {index}).toString();
    if (address.isEmpty()) {
        item.setVar(QStringLiteral("pic_name"), missingThumbnailText());
        return;
    }
    loader->loadClip(address, picture);
}

void click(Clip& item) {
    const QVariant id =
        item.var(QStringLiteral("pInfoObj")).toMap().value(QStringLiteral("fileid"));
    Clip* browser = browserOf(item);
    Clip* view = moviecommon::findClip(item, moviecommon::paths::captureView, kItemSymbol);
    if (!browser || !view || !id.isValid())
        return;
    const QString address = browser->call(moviecommon::calls::getPicUrl, {id}).toString();
    view->call(moviecommon::calls::LoadBorder, {id, address});
}

void buildSelectButton(Clip& item) {
    Clip* select = item.createEmptyMovieClip(QStringLiteral("ListView_item_select_mc"), 4);
    select->setHitArea(kFrame);
    select->setLook([select](Clip::ButtonState state) {
        if (state == Clip::ButtonState::Up) {
            select->setContent({}, {});
            return;
        }
        QColor fill = kOverlay;
        fill.setAlpha(state == Clip::ButtonState::Down ? kDownAlpha : kOverAlpha);
        select->setRect(kFrame, fill);
    });
    Clip* self = &item;
    select->onRelease([self] { click(*self); });
}

void build(Clip& item) {
    player::Stage* stage = item.stage();
    const QImage art = stage ? stage->image(kItemArt) : QImage();
    item.setContent(kArtRect, [art](QPainter& p) {
        p.setClipRect(kArtRect);
        p.drawImage(QPointF(0, 0), art);
    });

    Clip* picture = item.createEmptyMovieClip(QStringLiteral("mypic_mc"), 2);
    picture->setPos(1, 1.4);
    picture->setScale(99.75, 100);

    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = QColor(0x1f, 0x3b, 0x5e);
    style.align = Qt::AlignCenter;
    auto* caption =
        item.adopt(new player::TextField(QStringLiteral("pic_name_txt"), {109, 17.15}, style), 3);
    caption->setPos(3.25, 89.1);
    caption->bind(&item, QStringLiteral("pic_name"));
    buildSelectButton(item);

    auto* loader = new loaders::ClipLoader(&item);
    QObject::connect(loader, &loaders::ClipLoader::ready, &item, [](Clip* target) {
        if (target)
            target->show();
    });
    Clip* self = &item;
    QObject::connect(loader, &loaders::ClipLoader::failed, &item,
                     [self](Clip* target, const QString&) {
                         if (target)
                             target->hide();
                         self->setVar(QStringLiteral("pic_name"), missingThumbnailText());
                     });
    item.define(moviecommon::calls::Update, [self](const QVariantList& args) {
        update(*self, args.value(0));
        return QVariant();
    });

    // The location record it was attached with places it before its first picture.
    if (item.hasVar(QStringLiteral("_x")))
        item.setX(item.var(QStringLiteral("_x")).toReal());
    if (item.hasVar(QStringLiteral("_y")))
        item.setY(item.var(QStringLiteral("_y")).toReal());
    if (item.hasVar(QStringLiteral("_visible")))
        item.setVisible(item.var(QStringLiteral("_visible")).toBool());
    item.setVar(QStringLiteral("pInfoObj"), QVariantMap());
    if (item.var(moviecommon::vars::pIndex).isValid())
        update(item, item.var(moviecommon::vars::pIndex));
}

} // namespace

void defineListItemSymbol(player::Stage& stage) {
    stage.library().define(kItemSymbol, [](Clip& item) { build(item); });
}

} // namespace borders
