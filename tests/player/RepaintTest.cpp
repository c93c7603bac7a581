// What the window shows after a change must be what a whole new paint of the stage shows:
// the player repaints only what changed, so an area it forgets keeps its old look.
#include "player/Clip.h"
#include "player/MovieProgram.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "player/TextField.h"
#include "support/RenderStage.h"
#include "support/Wait.h"

#include <QScreen>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <set>

using player::Clip;

namespace {

// The window's own pixels, as its last paints left them.
QImage onScreen(player::PlayerWidget& widget) {
    testsupport::spin(60);
    return widget.screen()
        ->grabWindow(widget.winId())
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

// Pixels where the two pictures differ by more than a rounding step.
int differing(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 ||
                std::abs(qBlue(p) - qBlue(q)) > 2)
                ++count;
        }
    return count;
}

struct Change {
    const char* name;
    std::function<void(Clip& overlay)> apply;
};

TEST(PlayerRepaint, AClipThatChangesOrLosesItsContentLeavesNoOldPixels) {
    const Change changes[] = {
        {"content cleared", [](Clip& overlay) { overlay.setContent({}, {}); }},
        {"picture cleared", [](Clip& overlay) { overlay.setImage(QImage()); }},
        {"smaller rectangle",
         [](Clip& overlay) {
             overlay.setRect({0, 0, 10, 10}, Qt::blue);
         }},
        {"hidden", [](Clip& overlay) { overlay.setVisible(false); }},
    };
    for (const Change& change : changes) {
        player::PlayerWidget widget{player::MovieRegistry{}};
        widget.resize(800, 600);
        Clip* root = widget.stage().root();
        root->createEmptyMovieClip("back", 1)->setRect({0, 0, 800, 600}, QColor(200, 60, 60));
        Clip* overlay = root->createEmptyMovieClip("over", 2);
        overlay->setPos(100, 100);
        overlay->setRect({0, 0, 120, 90}, QColor(40, 80, 220));
        widget.show();
        ASSERT_TRUE(testsupport::waitUntil(
            [&] { return widget.windowHandle() && widget.windowHandle()->isExposed(); }));
        onScreen(widget);

        change.apply(*overlay);
        const QImage shown = onScreen(widget);
        const QImage whole = testsupport::renderStage(widget.stage());
        EXPECT_EQ(differing(shown, whole), 0) << change.name;
        EXPECT_EQ(QColor(shown.pixel(200, 160)), QColor(200, 60, 60)) << change.name;
    }
}

// A picture the movie scales up is smoothed on screen, not blown up into blocks, whether the
// clip is drawn each time or kept as a bitmap; one drawn at its own size stays sharp.
TEST(PlayerRepaint, ScaledPicturesAreSmoothedAndUnscaledOnesStaySharp) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(255, 255, 255));
    struct Case {
        const char* name;
        qreal scale;
        bool cached;
    };
    for (const Case& c : {Case{"scaled", 40, false}, Case{"scaled and cached", 40, true},
                          Case{"own size", 1, false}}) {
        player::PlayerWidget widget{player::MovieRegistry{}};
        widget.resize(800, 600);
        widget.stage().root()->createEmptyMovieClip("back", 0)->setRect({0, 0, 800, 600},
                                                                        Qt::white);
        Clip* clip = widget.stage().root()->createEmptyMovieClip("picture", 1);
        clip->setImage(picture);
        clip->setPos(100, 100);
        clip->setScale(c.scale * 100, c.scale * 100);
        clip->setCacheAsBitmap(c.cached);
        widget.show();
        ASSERT_TRUE(testsupport::waitUntil(
            [&] { return widget.windowHandle() && widget.windowHandle()->isExposed(); }));
        const QImage shown = onScreen(widget);
        // Across the middle of the picture, from the black pixel's centre to the white one's.
        QList<int> greys;
        for (qreal x = 0.5; x <= 1.5; x += 0.25)
            greys.append(qGray(shown.pixel(100 + int(x * c.scale), 100 + int(c.scale / 2))));
        std::set<int> distinct(greys.begin(), greys.end());
        if (c.scale > 1)
            EXPECT_GE(distinct.size(), 4u) << c.name << ": a smooth ramp, not two blocks";
        else
            EXPECT_EQ(distinct, (std::set<int>{0, 255})) << c.name;
        EXPECT_LE(greys.front(), 4) << c.name;
        EXPECT_GE(greys.back(), 251) << c.name;
    }
}

} // namespace

namespace {

// The columns a text's ink covers when the field is drawn alone.
int inkWidth(const player::TextField::Style& style, const QString& text) {
    player::Stage stage;
    auto* field = stage.root()->adopt(new player::TextField("t", {400, 30}, style), 1);
    field->setText(text);
    const QImage image = testsupport::renderStage(stage);
    int left = image.width();
    int right = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 400; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right - left + 1;
}

TEST(PlayerText, LetterSpacingWidensATextByItsCharacters) {
    player::TextField::Style style;
    style.pixelSize = 14;
    style.bold = true;
    style.align = Qt::AlignCenter;
    const QString text = QStringLiteral("加载边框信息...");
    const int plain = inkWidth(style, text);
    style.letterSpacing = 2;
    // Two pixels after each of the first nine characters; the last one's follow no ink.
    EXPECT_NEAR(inkWidth(style, text) - plain, 2 * (text.size() - 1), 2);
}

} // namespace
