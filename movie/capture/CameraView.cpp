#include "movie/capture/CameraView.h"

#include "movie/capture/BorderLoader.h"
#include "movie/capture/CameraDetection.h"
#include "movie/capture/CaptureParts.h"
#include "movie/capture/CompositePicture.h"
#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "movie/widgets/Button.h"
#include "player/Clip.h"
#include "player/media/VideoClip.h"

#include <QCoreApplication>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPainter>

namespace capture {

using player::Clip;

namespace {

const QRectF kFrame(0, 0, 240, 180);
// Where the 160×120 video, shown at 200 %, starts left of and above the frame.
constexpr QPointF kVideoOffset{39.8, 30.7};
constexpr qreal kVideoScale = 200;

// The view's shadow is the shadow of its frame, the one opaque shape that holds all the
// rest. It is cast once into a picture, so that a camera frame shown in the view does not
// make the blur be worked out again.
QImage castShadow(QRectF shape, QRectF area) {
    QGraphicsScene scene;
    auto* item = scene.addRect(shape, Qt::NoPen, QBrush(Qt::black));
    auto* shadow = new QGraphicsDropShadowEffect;
    shadow->setColor(Qt::black);
    shadow->setBlurRadius(2);
    shadow->setOffset(1.41, 1.41); // distance 2 at 45°
    item->setGraphicsEffect(shadow);
    QImage image(area.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    scene.render(&painter, QRectF(QPointF(0, 0), area.size()), area);
    return image;
}

void buildBackdrop(Clip& view) {
    Clip* backdrop = view.createEmptyMovieClip(QStringLiteral("backdrop"), 1);
    backdrop->setPos(-1, -1);
    // Under the live picture: drawn once, not at every camera frame.
    backdrop->setCacheAsBitmap(true);
    const QRectF outer(0, 0, 248.6, 188.6);
    const QRectF area = QRectF(-4, -4, 256, 196);
    const QImage shadow = castShadow(outer, area);
    backdrop->setContent(area, [outer, area, shadow](QPainter& p) {
        p.drawImage(area.topLeft(), shadow);
        p.fillRect(outer, Qt::white);
        p.fillRect(outer.adjusted(5, 5, -5, -5), QColor::fromRgb(kViewBackdrop));
    });
}

void buildCameraContent(Clip& picture) {
    Clip* content = picture.createEmptyMovieClip(QStringLiteral("my_video_mc"), 1);
    // The 160×120 video shown at 200 %: a 320×240 camera picture of which the frame shows
    // the window starting 39.8 pixels from its left and 30.7 from its top.
    auto* video = content->adopt(new media::VideoClip(QStringLiteral("my_video"), {160, 120}), 1);
    video->setPos(-kVideoOffset);
    video->setScale(kVideoScale, kVideoScale);
    video->setMaskRect(QRectF((kFrame.left() + kVideoOffset.x()) / 2,
                              (kFrame.top() + kVideoOffset.y()) / 2, kFrame.width() / 2,
                              kFrame.height() / 2));

    player::TextField::Style style;
    style.pixelSize = 13;
    style.color = Qt::white;
    style.align = Qt::AlignHCenter | Qt::AlignTop;
    style.wrap = true;
    auto* info = addText(*content, QStringLiteral("cam_info_txt"), 2, {-1, 68}, {244.5, 70}, style);
    info->bind(picture.parentClip(), moviecommon::vars::cam_info);

    widgets::makeTextButton(*content, QStringLiteral("ReDetectDV_button"), 3, {71.65, 139.2},
                            QCoreApplication::translate("capture", "重新检测摄像设备"), {112, 24});
}

void buildCompositeContent(Clip& picture) {
    Clip* content = picture.createEmptyMovieClip(QStringLiteral("FromPhoto_mc"), 9);
    setFramedRect(*content, kFrame, QColor(0, 0, 255, 26), Qt::white);
    // Everything composite mode shows stays inside the frame, the dragged picture included.
    content->setMaskRect(kFrame);
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = Qt::white;
    addText(*content, moviecommon::clips::fromphoto_info_txt, 2, {12, 86}, {226, 20}, style)
        ->setText(QCoreApplication::translate("capture", "请选择本地图片文件作合成背景！"));
    buildCompositePicture(*content);
}

void buildBorderHolder(Clip& picture) {
    Clip* holder = picture.createEmptyMovieClip(QStringLiteral("border_mc"), 17);
    holder->setPos(33.8, -42.65);
    Clip* inside = holder->createEmptyMovieClip(QStringLiteral("Boder_inside_mc"), 1);
    inside->setPos(-33.8, 42.65);
    inside->setContent(kFrame, [](QPainter&) {}); // a transparent placeholder
    // Over the live picture, and scaled with the view: drawn once per border, not at every
    // camera frame.
    inside->setCacheAsBitmap(true);
}

} // namespace

Clip* buildCameraView(Clip& page) {
    Clip* view = page.createEmptyMovieClip(moviecommon::clips::dv, 67);
    view->setPos(270.3, 36.05);
    view->setScale(100.62, 100.83);
    buildBackdrop(*view);
    Clip* picture = view->createEmptyMovieClip(QStringLiteral("cam_pic_mc"), 3);
    buildCameraContent(*picture);
    buildCompositeContent(*picture);
    buildBorderHolder(*picture);
    Clip* outline = picture->createEmptyMovieClip(QStringLiteral("outline"), 19);
    setFramedRect(*outline, kFrame, Qt::transparent, Qt::white);
    outline->setCacheAsBitmap(true);
    buildLoadingStrip(*view);

    showMirrored(*view, moviecommon::settingsOf(page).mirror);
    startCameraDetection(*view);
    return view;
}

void showMirrored(Clip& view, bool mirrored) {
    Clip* video = view.resolve(QStringLiteral("cam_pic_mc/my_video_mc/my_video"));
    if (!video)
        return;
    // Turned about the frame's middle: the window's left edge at 39.8 becomes its right edge.
    video->setScale(mirrored ? -kVideoScale : kVideoScale, kVideoScale);
    video->setX(mirrored ? kFrame.width() + kVideoOffset.x() : -kVideoOffset.x());
}

} // namespace capture
