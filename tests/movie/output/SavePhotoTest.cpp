#include "movie/output/SavePhoto.h"

#include "support/TrayMovie.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using player::Clip;
using testsupport::commandArgument;
using testsupport::commandName;
using testsupport::spin;
using testsupport::waitUntil;
using traytest::TrayMovie;

const QString kWait = QStringLiteral("提取图像，请稍候 ... ...");

void pressSave(Clip& card) {
    Clip* save = card.child("but_save");
    save->press();
    save->release();
}

QStringList values(const QString& text) {
    QStringList list = text.split(QLatin1Char('-'));
    list.removeFirst();
    return list;
}

TEST(SavePicture, TransparentPartsShowTheGreyPlateAndTheEdge) {
    TrayMovie movie;
    // Left half transparent, right half red.
    auto snapshot = std::make_shared<player::Bitmap>(240, 180, true, 0x00000000);
    snapshot->image().fill(Qt::transparent);
    for (int y = 0; y < 180; ++y)
        for (int x = 120; x < 240; ++x)
            snapshot->image().setPixel(x, y, 0xFFFF0000);
    Clip* card = movie.snapBitmap(snapshot);
    const QStringList v = values(output::savePictureText(*card));
    ASSERT_EQ(v.size(), 43200);
    auto at = [&v](int x, int y) { return v[x * 180 + y]; };
    EXPECT_EQ(at(50, 50), "10066329") << "grey 0x999999 of the plate";
    EXPECT_EQ(at(0, 50), "16777215") << "white edge of the plate";
    EXPECT_EQ(at(200, 100), "16711680");
    // The buttons lie over the picture but are not part of it.
    EXPECT_EQ(at(100, 160), "10066329");
    EXPECT_EQ(at(210, 160), "16711680");
}

TEST(SavePhoto, DesktopEditionRaisesBothCommandsAroundTheStatusPanel) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", "soft");
    Clip* card = movie.snap(0xFFFFFFFF);
    pressSave(*card);
    ASSERT_EQ(movie.commands.size(), 1);
    EXPECT_EQ(movie.commands[0], "savephoto_pro|--");
    EXPECT_TRUE(movie.panel()->isVisible());
    EXPECT_EQ(movie.panel()->var("text").toString(), kWait);
    const int timer = card->var("Timer").toInt();
    EXPECT_TRUE(movie.stage().intervals().isActive(timer));

    ASSERT_TRUE(waitUntil([&movie] { return movie.commands.size() == 2; }));
    EXPECT_EQ(commandName(movie.commands[1]), "savephoto");
    const QStringList v = values(commandArgument(movie.commands[1]));
    ASSERT_EQ(v.size(), 43200);
    EXPECT_EQ(v[90 * 180 + 90], "16777215");
    EXPECT_FALSE(movie.panel()->isVisible());
    EXPECT_FALSE(movie.stage().intervals().isActive(timer));
    spin(200);
    EXPECT_EQ(movie.commands.size(), 2) << "the step runs once";
}

TEST(SavePhoto, TheStepWaitsFiftyMilliseconds) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", "soft");
    Clip* card = movie.snap();
    QElapsedTimer clock;
    clock.start();
    pressSave(*card);
    spin(20);
    EXPECT_EQ(movie.commands.size(), 1) << "nothing more before the pause ends";
    EXPECT_TRUE(movie.panel()->isVisible());
    ASSERT_TRUE(waitUntil([&movie] { return movie.commands.size() == 2; }));
    // Only a lower bound: a busy machine may wait longer, never shorter.
    EXPECT_GE(clock.elapsed(), 45);
}

TEST(SavePhoto, WithoutAnEditionFlagTheDesktopPathIsTaken) {
    TrayMovie movie;
    pressSave(*movie.snap());
    ASSERT_EQ(movie.commands.size(), 1);
    EXPECT_EQ(commandName(movie.commands[0]), "savephoto_pro");
}

TEST(SavePhoto, BrowserEditionRaisesNoCommand) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", "ie");
    Clip* card = movie.snap();
    pressSave(*card);
    const int timer = card->var("Timer").toInt();
    EXPECT_TRUE(movie.stage().intervals().isActive(timer));
    EXPECT_FALSE(movie.panel()->isVisible());
    ASSERT_TRUE(waitUntil([&] { return !movie.stage().intervals().isActive(timer); }));
    EXPECT_TRUE(movie.traces.filter("SavePhoto2Web").size() == 1);
    spin(150);
    EXPECT_TRUE(movie.commands.isEmpty());
    EXPECT_EQ(movie.stage().intervals().count(), 0);
}

class DoublePressTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DoublePressTest, ASecondPressWithinThePauseIsIgnored) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", GetParam());
    Clip* card = movie.snap();
    pressSave(*card);
    const int timer = card->var("Timer").toInt();
    pressSave(*card);
    EXPECT_EQ(card->var("Timer").toInt(), timer);
    EXPECT_EQ(movie.stage().intervals().count(), 1);
    ASSERT_TRUE(waitUntil([&] { return movie.stage().intervals().count() == 0; }));
    spin(150);
    const bool browser = QString(GetParam()) == "ie";
    EXPECT_EQ(movie.commands.size(), browser ? 0 : 2);
    EXPECT_EQ(movie.traces.filter("SavePhoto2Web").size(), browser ? 1 : 0);
    // Once the step has run, the button works again.
    pressSave(*card);
    EXPECT_EQ(movie.stage().intervals().count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Editions, DoublePressTest, ::testing::Values("soft", "ie"));

TEST(SavePhoto, CardsSaveIndependently) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", "soft");
    Clip* red = movie.snap(0xFFFF0000);
    Clip* blue = movie.snap(0xFF0000FF);
    pressSave(*red);
    pressSave(*blue);
    ASSERT_TRUE(waitUntil([&] { return movie.commands.size() == 4; }));
    EXPECT_EQ(values(commandArgument(movie.commands[2]))[100 * 180 + 90], "16711680");
    EXPECT_EQ(values(commandArgument(movie.commands[3]))[100 * 180 + 90], "255");
}

struct Removal {
    const char* what;
    bool all;
};

void PrintTo(const Removal& r, std::ostream* os) {
    *os << r.what;
}

class RemovedDuringPauseTest : public ::testing::TestWithParam<Removal> {};

TEST_P(RemovedDuringPauseTest, NoPictureIsSentAndThePanelGoes) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", "soft");
    Clip* card = movie.snap();
    pressSave(*card);
    if (GetParam().all)
        movie.tray()->child("but_deleteALl_photo")->release();
    else
        card->child("but_delete")->release();
    ASSERT_TRUE(waitUntil([&] { return movie.stage().intervals().count() == 0; }));
    spin(100);
    ASSERT_EQ(movie.commands.size(), 1) << GetParam().what;
    EXPECT_FALSE(movie.panel()->isVisible()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Removals, RemovedDuringPauseTest,
                         ::testing::Values(Removal{"delete one", false},
                                           Removal{"delete all", true}));

} // namespace
