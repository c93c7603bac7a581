#include "movie/capture/CompositePicture.h"

#include "movie/common/MovieNames.h"
#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QPainter>
#include <algorithm>

namespace capture {

using player::Clip;

namespace {

// The picture always covers this point of the view.
constexpr qreal kCentreX = 160;
constexpr qreal kCentreY = 120;
constexpr qreal kMinZoom = 20;
constexpr qreal kMaxZoom = 200;

// The scale display lives on the page's picture-file panel.
void setScaleRating(const Clip& photo, const QString& text) {
    if (Clip* previews = photo.resolve(QStringLiteral("../../../../local_photo_previews_mc")))
        previews->setVar(moviecommon::vars::ScaleRating, text);
}

void setScale2(Clip& photo, qreal xs, qreal ys) {
    // The position is limited with the size before rescaling.
    const QRectF size = photo.bounds();
    photo.setX(std::max(kCentreX - size.width(), std::min(photo.x(), kCentreX)));
    photo.setY(std::max(kCentreY - size.height(), std::min(photo.y(), kCentreY)));
    photo.setScale(xs, ys);
    setScaleRating(photo, QStringLiteral("(") + QString::number(xs) + QStringLiteral("%)"));
}

void selectThisPhoto(Clip& photo, const player::BitmapPtr& bitmap) {
    photo.setPos(0, 0);
    // A new picture starts at 100 %, as the scale display says.
    photo.setScale(100, 100);
    Clip* picture = photo.createEmptyMovieClip(QStringLiteral("MyPhoto"), 1);
    photo.setVar(QStringLiteral("MyPhoto_mc"), QVariant::fromValue(picture));
    picture->setPos(0, 0);
    picture->attachBitmap(bitmap, 1);
    setScaleRating(photo, QStringLiteral("(100%)"));
    if (Clip* hint = photo.parentClip()->child(moviecommon::clips::fromphoto_info_txt))
        hint->hide();
}

} // namespace

void buildCompositePicture(Clip& fromPhoto) {
    Clip* photo = fromPhoto.createEmptyMovieClip(QStringLiteral("photo_mc"), 3);
    photo->createEmptyMovieClip(QStringLiteral("placeholder"), 1)
        ->setContent(QRectF(0, 0, 240, 180), [](QPainter&) {});

    photo->define(moviecommon::calls::SelectThisPhoto, [photo](const QVariantList& args) {
        selectThisPhoto(*photo, args.value(0).value<player::BitmapPtr>());
        return QVariant();
    });
    photo->define(moviecommon::calls::SetScale2, [photo](const QVariantList& args) {
        setScale2(*photo, args.value(0).toDouble(), args.value(1).toDouble());
        return QVariant();
    });

    photo->onPress([photo] {
        const QRectF size = photo->bounds();
        photo->startDrag(false, QRectF(kCentreX - size.width(), kCentreY - size.height(),
                                       size.width(), size.height()));
    });
    const auto stop = [photo] { photo->stopDrag(); };
    photo->onRelease(stop);
    photo->onReleaseOutside(stop);
    photo->onRollOver(stop);

    if (player::Stage* stage = photo->stage()) {
        stage->addWheelListener(photo, [photo](int delta) {
            if (!photo->child(QStringLiteral("MyPhoto")))
                return;
            const qreal s = std::clamp(photo->xScale() + delta, kMinZoom, kMaxZoom);
            photo->call(moviecommon::calls::SetScale2, {s, s});
        });
    }
}

} // namespace capture
