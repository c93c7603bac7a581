#include "ShellFixture.h"
#include "player/Services.h"
#include "player/SettingsPanel.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCheckBox>
#include <QTemporaryDir>

namespace shelltest {
namespace {

using PreferencesTest = ShellMovie;

QString label(player::Clip* toggle) {
    return static_cast<player::TextField*>(toggle->child(QStringLiteral("label")))->text();
}

// The choices made while the movie plays are there again when it starts the next time,
// read from the preferences file as the program reads them at start.
TEST_F(PreferencesTest, ChoicesSurviveARestartOfTheMovie) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("iVemba/iVemba.conf"));
    settings.preferencesFile = file;
    start();
    click({744, 225}); // the self-timer toggle: 3 s
    click({744, 225}); // 10 s
    click({744, 251}); // the burst toggle: 4 photos
    stage().showSettings(1)->mirrorBox->click();

    settings = common::Settings::fromEnvironment();
    settings.preferencesFile = file;
    settings.readPreferences();
    start();
    const common::Settings& now = stage().services().settings;
    EXPECT_EQ(now.selfTimer, 10);
    EXPECT_EQ(now.burst, 4);
    EXPECT_TRUE(now.mirror);
    EXPECT_EQ(label(clip("capture_mc/SelfTimer_button")), QStringLiteral("定时：10秒"));
    EXPECT_EQ(label(clip("capture_mc/Burst_button")), QStringLiteral("连拍：4张"));
    EXPECT_LT(clip("capture_mc/dv/cam_pic_mc/my_video_mc/my_video")->xScale(), 0)
        << "the view starts mirrored";
}

} // namespace
} // namespace shelltest
