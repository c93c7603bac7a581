#include "player/Services.h"
#include "player/Stage.h"
#include "player/TextField.h"
#include "support/CaptureHarness.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <functional>
#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

constexpr int kFps = 16;

void key(CaptureHarness& h, int k) {
    QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier);
    QCoreApplication::sendEvent(&h.stage(), &down);
}

void pressShutter(CaptureHarness& h) {
    Clip* shutter = h.at(QStringLiteral("Capture_Enter_mc"));
    if (!shutter->isVisible())
        shutter = h.at(QStringLiteral("Capture_Enter_mc2"));
    shutter->press();
    shutter->release();
}

void tick(CaptureHarness& h, int frames) {
    for (int i = 0; i < frames; ++i)
        h.stage().clock().tick();
}

CaptureHarness* harnessWith(int selfTimer, int burst) {
    return new CaptureHarness(QStringLiteral("%1"), [=](common::Settings& s) {
        s.selfTimer = selfTimer;
        s.burst = burst;
    });
}

struct TimingRow {
    const char* name;
    int selfTimer;
    int burst;
};

class ShutterTiming : public ::testing::TestWithParam<TimingRow> {};

// Frame by frame: the digits count down one a second, the first photo comes when the last
// second is over (never a frame before), and a burst's photos follow a second apart.
TEST_P(ShutterTiming, PhotosComeOnTheirFramesAndTheCountdownShowsEachSecond) {
    const TimingRow row = GetParam();
    std::unique_ptr<CaptureHarness> h(harnessWith(row.selfTimer, row.burst));
    Clip* overlay = h->at(QStringLiteral("countdown_mc"));
    ASSERT_TRUE(overlay);
    EXPECT_FALSE(overlay->isVisible());

    QList<int> expected;
    for (int k = 0; k < row.burst; ++k)
        expected.append((row.selfTimer + k) * kFps);
    QList<int> taken;
    pressShutter(*h);
    const int last = expected.last() + 3 * kFps;
    for (int frame = 0; frame <= last; ++frame) {
        if (frame > 0)
            tick(*h, 1);
        while (taken.size() < h->newPhotos().size())
            taken.append(frame);
        const int counting = row.selfTimer * kFps;
        if (frame < counting) {
            EXPECT_TRUE(overlay->isVisible()) << "frame " << frame;
            EXPECT_EQ(overlay->var(QStringLiteral("seconds")).toInt(), row.selfTimer - frame / kFps)
                << "frame " << frame;
        } else {
            EXPECT_FALSE(overlay->isVisible()) << "frame " << frame;
        }
    }
    EXPECT_EQ(taken, expected);
    EXPECT_FALSE(overlay->needsFrames()) << "the clock may sleep once the sequence is over";

    // Every photo of the press is a capture of its own.
    EXPECT_EQ(h->root()->var(QStringLiteral("info_Capture_count")).toInt(), row.burst);
    EXPECT_EQ(h->root()->var(QStringLiteral("CpRecord")).toInt(), row.burst);
    EXPECT_EQ(h->page()->var(QStringLiteral("info_Capture_count_txt")).toString(),
              QStringLiteral("您已拍摄 %1 张！").arg(row.burst));
    const QList<player::BitmapPtr> photos = h->newPhotos();
    for (int i = 1; i < photos.size(); ++i)
        EXPECT_NE(photos.at(i), photos.at(i - 1)) << "each photo a bitmap of its own";
}

INSTANTIATE_TEST_SUITE_P(Shutter, ShutterTiming,
                         ::testing::Values(TimingRow{"Off", 0, 1}, TimingRow{"ThreeSeconds", 3, 1},
                                           TimingRow{"TenSeconds", 10, 1},
                                           TimingRow{"BurstOfFour", 0, 4},
                                           TimingRow{"ThreeSecondsThenBurst", 3, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CancelRow {
    const char* name;
    std::function<void(CaptureHarness&)> cancel;
};

class ShutterCancel : public ::testing::TestWithParam<CancelRow> {};

// A stopped countdown takes nothing, not even later; the shutter then works as before.
TEST_P(ShutterCancel, StoppedCountdownTakesNoPhoto) {
    std::unique_ptr<CaptureHarness> h(harnessWith(3, 4));
    Clip* overlay = h->at(QStringLiteral("countdown_mc"));
    pressShutter(*h);
    tick(*h, 2 * kFps + 5);
    ASSERT_TRUE(overlay->isVisible());
    GetParam().cancel(*h);
    EXPECT_FALSE(overlay->isVisible());
    tick(*h, 10 * kFps);
    EXPECT_TRUE(h->newPhotos().isEmpty());
    EXPECT_EQ(h->root()->var(QStringLiteral("CpRecord")).toInt(), 0);
    EXPECT_FALSE(overlay->needsFrames());

    h->page()->show();
    h->stage().services().settings.selfTimer = 0;
    h->stage().services().settings.burst = 1;
    key(*h, Qt::Key_Space);
    EXPECT_EQ(h->newPhotos().size(), 1) << "the next press starts afresh";
}

INSTANTIATE_TEST_SUITE_P(
    Shutter, ShutterCancel,
    ::testing::Values(CancelRow{"Escape", [](CaptureHarness& h) { key(h, Qt::Key_Escape); }},
                      CancelRow{"SecondPress", [](CaptureHarness& h) { pressShutter(h); }},
                      CancelRow{"SecondSpace", [](CaptureHarness& h) { key(h, Qt::Key_Space); }},
                      CancelRow{"CompositePage",
                                [](CaptureHarness& h) {
                                    h.page()->call(QStringLiteral("setFrom"),
                                                   {QStringLiteral("photo")});
                                }},
                      CancelRow{"TrayPage", [](CaptureHarness& h) { h.page()->hide(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Shutter, SecondPressStopsABurstAndKeepsThePhotosTaken) {
    std::unique_ptr<CaptureHarness> h(harnessWith(0, 4));
    pressShutter(*h);
    tick(*h, kFps);
    ASSERT_EQ(h->newPhotos().size(), 2);
    pressShutter(*h);
    tick(*h, 5 * kFps);
    EXPECT_EQ(h->newPhotos().size(), 2);
    EXPECT_EQ(h->root()->var(QStringLiteral("info_Capture_count")).toInt(), 2);
}

TEST(Shutter, TogglesCycleTheirValuesAndKeepThemInTheSettings) {
    CaptureHarness h;
    Clip* timer = h.at(QStringLiteral("SelfTimer_button"));
    Clip* burst = h.at(QStringLiteral("Burst_button"));
    ASSERT_TRUE(timer && burst);
    const auto label = [](Clip* toggle) {
        return static_cast<player::TextField*>(toggle->child(QStringLiteral("label")))->text();
    };
    const common::Settings& settings = h.stage().services().settings;
    EXPECT_EQ(label(timer), QStringLiteral("定时：关"));
    for (const auto& [seconds, text] :
         {std::pair{3, "定时：3秒"}, std::pair{10, "定时：10秒"}, std::pair{0, "定时：关"}}) {
        timer->release();
        EXPECT_EQ(settings.selfTimer, seconds);
        EXPECT_EQ(label(timer), QString::fromUtf8(text));
    }
    EXPECT_EQ(label(burst), QStringLiteral("连拍：1张"));
    burst->release();
    EXPECT_EQ(settings.burst, 4);
    EXPECT_EQ(label(burst), QStringLiteral("连拍：4张"));
}

// The toggles sit beside the shutter on both pages and cover nothing the page has to press
// or read.
TEST(Shutter, TogglesCoverNoControlOfThePage) {
    CaptureHarness h;
    for (const char* mode : {"cam", "photo"}) {
        h.page()->call(QStringLiteral("setFrom"), {QString::fromLatin1(mode)});
        for (const char* name : {"SelfTimer_button", "Burst_button"}) {
            Clip* toggle = h.at(QLatin1String(name));
            ASSERT_TRUE(toggle->isVisible()) << mode << " " << name;
            // A button draws through its children: its own rectangle is empty.
            const auto shownArea = [](const Clip* clip) {
                return clip->mapRectToScene(clip->childrenBoundingRect() | clip->boundingRect());
            };
            const QRectF area = shownArea(toggle);
            ASSERT_FALSE(area.isEmpty()) << name;
            for (Clip* other : h.page()->childClips()) {
                if (other == toggle || !other->isVisible() ||
                    other->name() == QLatin1String("panel"))
                    continue;
                EXPECT_FALSE(area.intersects(shownArea(other)))
                    << mode << ": " << name << " covers " << other->name().toStdString();
            }
        }
    }
}

struct MirrorRow {
    const char* name;
    bool atStart;
};

class Mirror : public ::testing::TestWithParam<MirrorRow> {};

// The looking-glass turns the photo as it turns the view: the same camera window, left for
// right.
TEST_P(Mirror, PhotoIsTakenAsTheMirroredViewShows) {
    const bool atStart = GetParam().atStart;
    CaptureHarness h(QStringLiteral("%1"), [atStart](common::Settings& s) { s.mirror = atStart; });
    ASSERT_TRUE(testsupport::waitUntil([&h] { return h.snapshot()->getPixel(120, 90) != 0; }));
    if (!atStart) {
        common::Settings mirrored = h.stage().services().settings;
        mirrored.mirror = true;
        ASSERT_TRUE(h.stage().services().changeSettings(mirrored));
    }
    const player::BitmapPtr shot = h.snapshot();
    for (const QPoint p :
         {QPoint{5, 7}, QPoint{60, 40}, QPoint{120, 90}, QPoint{200, 30}, QPoint{230, 170}}) {
        const QRgb expected = CaptureHarness::cameraAt(239 - p.x() + 39.8, p.y() + 30.7);
        EXPECT_LE(colourDistance(shot->getPixel32(p.x(), p.y()), expected), 3)
            << p.x() << "," << p.y();
    }
    EXPECT_EQ(shot->getPixel(0, 90), 0xFFFFFFu) << "the outline stays where it was";
}

INSTANTIATE_TEST_SUITE_P(Camera, Mirror,
                         ::testing::Values(MirrorRow{"AtStart", true},
                                           MirrorRow{"SwitchedWhilePlaying", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace capturetest
