#include "TrayMovie.h"
#include "support/RenderStage.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using player::Clip;
using traytest::TrayMovie;

// A snapshot that looks like one: a sky, a sun and a transparent border strip, so the
// plate shows through where the border leaves the picture open.
player::BitmapPtr scene(QColor sky) {
    auto bitmap = std::make_shared<player::Bitmap>(240, 180, true, 0);
    QPainter p(&bitmap->image());
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 180);
    fill.setColorAt(0, sky);
    fill.setColorAt(1, sky.lighter(170));
    p.fillRect(QRectF(8, 8, 224, 164), fill);
    p.setBrush(QColor(0xff, 0x8a, 0x3d));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(170, 60), 24, 24);
    return bitmap;
}

// Renders the tray with a few cards, one hovered, and keeps the picture for a look
// (IVEMBA_LOOK_PNG names where; the temporary folder otherwise).
TEST(TrayLook, CardsShowTheirSnapshotsAndTheHoveredLabel) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", "soft");
    const QColor skies[] = {QColor(0x4f, 0x9b, 0xea), QColor(0x2f, 0x74, 0xc8),
                            QColor(0x6a, 0xb0, 0x4c), QColor(0xc8, 0x4f, 0x8a)};
    Clip* last = nullptr;
    for (const QColor& sky : skies)
        last = movie.snapBitmap(scene(sky));
    Clip* first = movie.card(1);
    first->setPos(420, 260);
    first->swapDepths(655);
    last->child("but_save")->rollOver();
    first->child("but_print")->rollOver();

    const QImage image = testsupport::renderStage(movie.stage());
    const QString path = qEnvironmentVariableIsSet("IVEMBA_LOOK_PNG")
                             ? qEnvironmentVariable("IVEMBA_LOOK_PNG")
                             : QDir::temp().filePath("ivemba_tray_look.png");
    EXPECT_TRUE(image.save(path));

    // The tray lies at 11, 66: the first card's sun and its plate's open strip.
    const QPoint card1 = QPoint(11 + 420, 66 + 260);
    EXPECT_EQ(QColor(image.pixel(card1 + QPoint(170, 60))), QColor(0xff, 0x8a, 0x3d));
    EXPECT_EQ(QColor(image.pixel(card1 + QPoint(4, 90))), QColor(0x99, 0x99, 0x99));
    // The hovered save label is the yellow box above the save icon, drawn at the
    // button's alpha over the photo.
    const QPoint save = QPoint(11, 66) + last->pos().toPoint() + QPoint(188, 130);
    const QColor label(image.pixel(save + QPoint(25, -12)));
    EXPECT_GE(label.red(), 0xf0);
    EXPECT_GE(label.green(), 0xe0);
    EXPECT_LE(label.blue(), 0xc0);
}

} // namespace
