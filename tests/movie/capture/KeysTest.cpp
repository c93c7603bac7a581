#include "support/CaptureHarness.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace capturetest {
namespace {

void press(player::Stage& stage, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(&stage, &down);
}

TEST(Keys, SpaceTakesAPhotoOnTheCaptureAndCompositePagesOnly) {
    CaptureHarness h;
    press(h.stage(), Qt::Key_Space);
    EXPECT_EQ(h.newPhotos().size(), 1);
    EXPECT_EQ(h.root()->var(QStringLiteral("info_Capture_count")).toInt(), 1);

    h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
    press(h.stage(), Qt::Key_Space);
    EXPECT_EQ(h.newPhotos().size(), 2) << "the composite page's shutter";

    press(h.stage(), Qt::Key_A);
    EXPECT_EQ(h.newPhotos().size(), 2) << "other keys take nothing";

    h.page()->hide(); // another page is showing
    press(h.stage(), Qt::Key_Space);
    EXPECT_EQ(h.newPhotos().size(), 2);
}

} // namespace
} // namespace capturetest
