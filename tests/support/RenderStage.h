#pragma once

#include "player/Stage.h"

#include <QImage>
#include <QPainter>

namespace testsupport {

// The whole stage as the player shows it, on white, for pixel checks and looks by eye.
inline QImage renderStage(player::Stage& stage) {
    QImage image(stage.sceneRect().size().toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    stage.render(&painter, QRectF(QPointF(0, 0), image.size()), stage.sceneRect());
    return image;
}

} // namespace testsupport
