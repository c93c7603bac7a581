#include "support/GoldenImage.h"
#include "support/RenderStage.h"
#include "support/TrayMovie.h"

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

    // The snapshots on their plates, the plate's open strip, the hovered labels drawn at the
    // buttons' alpha over the photos.
    EXPECT_TRUE(testsupport::matchesGolden(image, "tray_cards.png"));
}

} // namespace
