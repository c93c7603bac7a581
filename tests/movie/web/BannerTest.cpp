#include "WebFixture.h"
#include "player/loaders/SequenceMovie.h"
#include "support/RenderStage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace webtest {
namespace {

using testsupport::waitUntil;

const std::string kBanner = "/iVemba/ad2005.swf";

std::string fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

std::string demoBanner() {
    return fileBytes(QStringLiteral(IVEMBA_SOURCE_DIR "/site/demo/ad2005.swf"));
}

class BannerTest : public WebMovie {
protected:
    player::Clip* loader() const { return root()->childAtDepth(159); }
    player::Clip* ad() const { return loader() ? loader()->child("ad_mc") : nullptr; }
    loaders::SequenceClip* banner() const {
        return ad() ? dynamic_cast<loaders::SequenceClip*>(ad()->childAtDepth(1)) : nullptr;
    }
    // Plays the loader's twelve frames; frame 2 of the main timeline is already running.
    void playLoader() { frames(12); }
    // Plays the loader and waits until its banner load has ended, one way or the other.
    void load() {
        playLoader();
        ASSERT_TRUE(waitUntil([&] { return site.count(kBanner) == 1; }));
        ASSERT_TRUE(waitUntil([&] { return banner() || traced("advertisement not loaded"); }));
    }
    void startAndLoad() {
        startDesktop();
        load();
    }
    void expectNothingShown() {
        ASSERT_NE(ad(), nullptr);
        EXPECT_EQ(banner(), nullptr);
        EXPECT_EQ(ad()->alpha(), 0);
        EXPECT_EQ(ad()->pos(), QPointF(160, 160));
    }
};

TEST_F(BannerTest, BrowserEditionNeverAsksForTheBanner) {
    site.answer(kBanner, demoBanner(), "application/x-shockwave-flash");
    startBrowser();
    ASSERT_NE(loader(), nullptr);
    playLoader();
    frames(40);
    settle();
    EXPECT_EQ(site.count(kBanner), 0);
    EXPECT_EQ(loader()->currentFrame(), 11);
    EXPECT_FALSE(loader()->timeline().isPlaying());
    EXPECT_EQ(ad(), nullptr);
}

TEST_F(BannerTest, DesktopBannerShowsAtTheCornerFullyOpaqueAboveLowerDepths) {
    site.answer(kBanner, demoBanner(), "application/x-shockwave-flash");
    startDesktop();
    ASSERT_LT(loader()->currentFrame(), 12);
    EXPECT_EQ(ad(), nullptr) << "the loader waits ten frames";
    load();
    ASSERT_NE(banner(), nullptr);
    EXPECT_EQ(loader()->currentFrame(), 12);
    EXPECT_EQ(ad()->pos(), QPointF(0, 0));
    EXPECT_EQ(ad()->alpha(), 100);
    EXPECT_EQ(ad()->xScale(), 100);
    EXPECT_TRUE(ad()->maskRect().isEmpty());
    EXPECT_GT(banner()->frameCount(), 1);
    EXPECT_TRUE(banner()->isAnimating());

    // Every pixel of the banner's own picture is on the stage where the picture lies.
    const loaders::PictureSequence& movie = banner()->movie();
    const QImage picture = movie.frames.at(banner()->shownFrame());
    const QImage after = testsupport::renderStage(stage());
    ad()->hide();
    const QImage before = testsupport::renderStage(stage());
    ad()->show();
    const QPoint at = movie.origin.toPoint();
    int opaque = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) != 255)
                continue;
            ++opaque;
            ASSERT_EQ(after.pixel(at + QPoint(x, y)), picture.pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_GT(opaque, picture.width() * picture.height() / 2);
    // Nothing outside the strip changes.
    const QRect strip(at, picture.size());
    int changed = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x)
            changed += !strip.contains(x, y) && after.pixel(x, y) != before.pixel(x, y);
    }
    EXPECT_EQ(changed, 0);
    if (const QString dir = qEnvironmentVariable("IVEMBA_LOOK_DIR"); !dir.isEmpty())
        after.save(dir + QStringLiteral("/banner_stage.png")),
            before.save(dir + QStringLiteral("/before.png"));

    const int first = banner()->shownFrame();
    banner()->advance();
    EXPECT_NE(banner()->shownFrame(), first);

    click(QPointF(at) + QPointF(picture.width() / 2.0, picture.height() / 2.0));
    EXPECT_EQ(opened(), QStringList{site.url("/") + " _blank"});
}

TEST_F(BannerTest, BannerCoversNoControl) {
    site.answer(kBanner, demoBanner(), "application/x-shockwave-flash");
    startAndLoad();
    ASSERT_NE(banner(), nullptr);
    const QRectF strip = banner()->mapRectToScene(banner()->contentRect());
    int buttons = 0;
    for (QGraphicsItem* item : stage().items()) {
        auto* other = dynamic_cast<player::Clip*>(item);
        if (!other || other == banner() || !other->isVisible() || !other->isButton())
            continue;
        ++buttons;
        EXPECT_FALSE(other->sceneBoundingRect().intersects(strip))
            << other->targetPath().toStdString();
    }
    EXPECT_GT(buttons, 5);
    EXPECT_EQ(stage().buttonAt(strip.center()), banner());
}

TEST_F(BannerTest, NoSiteOrABadBannerShowsNothingAndChangesNothingElse) {
    const struct {
        const char* name;
        std::function<void(testsupport::LocalSite&)> serve;
    } cases[] = {
        {"missing", [](auto& s) { s.fail(kBanner, 404); }},
        {"not a bundle", [](auto& s) { s.answer(kBanner, "GIF89a not really"); }},
        {"300 MB", [](auto& s) { s.flood(kBanner, 300u << 20); }},
        {"a program the player lacks",
         [](auto& s) { s.answer(kBanner, fileBytes(QStringLiteral(IVEMBA_TEST_BUNDLE))); }},
        {"damaged bundle", [](auto& s) { s.answer(kBanner, demoBanner().substr(0, 3000)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        site.clearRequests();
        c.serve(site);
        startAndLoad();
        expectNothingShown();
        EXPECT_TRUE(clip("capture_mc")->isVisible());
        EXPECT_EQ(root()->currentFrame(), 2);
    }

    startAgainst(QStringLiteral("http://127.0.0.1:%1").arg(testsupport::refusedPort()),
                 QStringLiteral("soft"));
    playLoader();
    ASSERT_TRUE(waitUntil([&] { return traced("advertisement not loaded"); }));
    expectNothingShown();
}

} // namespace
} // namespace webtest
