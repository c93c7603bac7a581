#include "player/SettingsPanel.h"

#include "player/Services.h"
#include "player/Stage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using common::Settings;

Settings readBack(const QString& file) {
    Settings settings;
    settings.preferencesFile = file;
    settings.readPreferences();
    return settings;
}

TEST(Preferences, WrittenChoicesAreReadAtTheNextStart) {
    QTemporaryDir dir;
    Settings chosen;
    chosen.preferencesFile = dir.filePath(QStringLiteral("iVemba/iVemba.conf"));
    chosen.cameraId = QStringLiteral("USB 摄像头");
    chosen.mirror = true;
    chosen.cameraAllowed = false;
    chosen.selfTimer = 10;
    chosen.burst = 4;
    ASSERT_TRUE(chosen.writePreferences());
    const Settings read = readBack(chosen.preferencesFile);
    EXPECT_EQ(read.cameraId, chosen.cameraId);
    EXPECT_TRUE(read.mirror);
    EXPECT_FALSE(read.cameraAllowed);
    EXPECT_EQ(read.selfTimer, 10);
    EXPECT_EQ(read.burst, 4);
}

struct BadValueRow {
    const char* name;
    const char* line;
};

class PreferenceValues : public ::testing::TestWithParam<BadValueRow> {};

// A value the program does not offer, written by hand or by another version, reads as the
// default instead of reaching the shutter.
TEST_P(PreferenceValues, ValueOutOfRangeReadsAsTheDefault) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("iVemba.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray line(GetParam().line);
    const qsizetype slash = line.indexOf('/');
    file.write("[" + line.left(slash) + "]\n" + line.mid(slash + 1) + "\n");
    file.close();
    const Settings read = readBack(path);
    const Settings standard;
    EXPECT_EQ(read.selfTimer, standard.selfTimer);
    EXPECT_EQ(read.burst, standard.burst);
    EXPECT_EQ(read.mirror, standard.mirror);
    EXPECT_EQ(read.cameraAllowed, standard.cameraAllowed);
}

INSTANTIATE_TEST_SUITE_P(Preferences, PreferenceValues,
                         ::testing::Values(BadValueRow{"TimerNotOffered", "shutter/timer=7"},
                                           BadValueRow{"NegativeTimer", "shutter/timer=-3"},
                                           BadValueRow{"BurstNotANumber", "shutter/burst=many"},
                                           BadValueRow{"HugeBurst", "shutter/burst=100000"},
                                           BadValueRow{"MirrorNotAFlag", "camera/mirror=yes"},
                                           BadValueRow{"AllowedNotAFlag", "camera/allowed=1"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Tests and other players of the movie keep nothing unless told where.
TEST(Preferences, WithoutAFileNothingIsWritten) {
    const Settings settings = Settings::fromEnvironment();
    EXPECT_TRUE(settings.preferencesFile.isEmpty());
    EXPECT_TRUE(settings.writePreferences());
}

class SettingsPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings settings = Settings::fromEnvironment();
        settings.testCamera = dir.filePath(QStringLiteral("camera.png"));
        settings.preferencesFile = dir.filePath(QStringLiteral("config/iVemba.conf"));
        stage.services().useSettings(settings);
        stage.services().addSettingsListener(
            &listener, [this](const Settings& before) { befores.append(before); });
    }
    QTemporaryDir dir;
    player::Stage stage;
    QObject listener;
    QList<Settings> befores;
};

TEST_F(SettingsPanelTest, ShowsTheCamerasAndTheCurrentChoices) {
    player::SettingsPanel* panel = stage.showSettings(1);
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    ASSERT_EQ(panel->cameraList->count(), 1);
    EXPECT_EQ(panel->cameraList->itemText(0), QStringLiteral("iVemba 测试摄像头"));
    EXPECT_TRUE(panel->cameraList->isEnabled());
    EXPECT_FALSE(panel->mirrorBox->isChecked());
    EXPECT_TRUE(panel->allowButton->isChecked());
    EXPECT_EQ(stage.showSettings(0), panel) << "one panel at a time";
    EXPECT_TRUE(befores.isEmpty()) << "showing changes nothing";
}

TEST_F(SettingsPanelTest, EachChangeTakesEffectIsToldAndIsKept) {
    player::SettingsPanel* panel = stage.showSettings(1);
    const QString file = stage.services().settings.preferencesFile;

    panel->mirrorBox->click();
    EXPECT_TRUE(stage.services().settings.mirror);
    ASSERT_EQ(befores.size(), 1);
    EXPECT_FALSE(befores.last().mirror);
    EXPECT_TRUE(readBack(file).mirror);

    panel->denyButton->click();
    EXPECT_FALSE(stage.services().settings.cameraAllowed);
    EXPECT_FALSE(readBack(file).cameraAllowed);

    emit panel->cameraList->activated(0);
    EXPECT_EQ(stage.services().settings.cameraId, QStringLiteral("iVemba 测试摄像头"));
    EXPECT_EQ(readBack(file).cameraId, QStringLiteral("iVemba 测试摄像头"));
    EXPECT_EQ(befores.size(), 3);
    EXPECT_FALSE(panel->failureLabel->isVisible());
}

TEST_F(SettingsPanelTest, NoCameraIsSaidInTheList) {
    Settings settings = stage.services().settings;
    settings.testCamera = QStringLiteral("none");
    stage.services().useSettings(settings);
    player::SettingsPanel* panel = stage.showSettings(1);
    ASSERT_EQ(panel->cameraList->count(), 1);
    EXPECT_EQ(panel->cameraList->itemText(0), QStringLiteral("没有找到摄像头"));
    EXPECT_FALSE(panel->cameraList->isEnabled());
}

// A preferences file that cannot be written keeps the change for this run and says so,
// instead of looking kept.
TEST_F(SettingsPanelTest, ChoiceThatCannotBeKeptSaysWhy) {
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Settings settings = stage.services().settings;
    settings.preferencesFile = dir.filePath(QStringLiteral("blocker/iVemba.conf"));
    stage.services().useSettings(settings);

    player::SettingsPanel* panel = stage.showSettings(1);
    panel->mirrorBox->click();
    EXPECT_TRUE(stage.services().settings.mirror) << "in effect for this run";
    EXPECT_FALSE(panel->failureLabel->isHidden());
    EXPECT_TRUE(panel->failureLabel->text().startsWith(QStringLiteral("设置只在这次运行中有效")));
}

} // namespace
