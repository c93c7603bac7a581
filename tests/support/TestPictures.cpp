#include "support/TestPictures.h"

#include <QPainter>
#include <QRadialGradient>

namespace testsupport {

QImage smoothCameraScene() {
    QImage scene(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            scene.setPixel(x, y, qRgb(40 + x * 200 / 320, 30 + y * 200 / 240, 180 - x * 120 / 320));
    QPainter painter(&scene);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sun(QPointF(170, 120), 60);
    sun.setColorAt(0, QColor(255, 230, 90));
    sun.setColorAt(1, QColor(255, 230, 90, 0));
    painter.fillRect(scene.rect(), sun);
    return scene;
}

} // namespace testsupport
