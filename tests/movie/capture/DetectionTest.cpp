#include "player/Services.h"
#include "player/SettingsPanel.h"
#include "player/Stage.h"
#include "player/media/StillCamera.h"
#include "player/media/VideoClip.h"
#include "support/CaptureHarness.h"
#include "support/Wait.h"

#include <QRadioButton>
#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

const QString kNoCamera = QStringLiteral("没有找到摄像设备，无法拍摄！\n"
                                         "  请先用 [合成] 模式！\n"
                                         " \n"
                                         "点上面的[合成]按钮进入合成模式！");
const QString kBusy = QStringLiteral("摄像头设备被占用，无法拍摄！\n"
                                     " 请先用 [合成] 模式！\n"
                                     " \n"
                                     "点上面的[合成]按钮进入合成模式！");

Clip* redetect(const CaptureHarness& h) {
    return h.at(QStringLiteral("dv/cam_pic_mc/my_video_mc/ReDetectDV_button"));
}
QString camInfo(const CaptureHarness& h) {
    return h.view()->var(QStringLiteral("cam_info")).toString();
}
bool camInited(const CaptureHarness& h) {
    return h.root()->var(QStringLiteral("caminited")).toBool();
}

TEST(Detection, LiveCameraIsSetUp) {
    CaptureHarness h;
    EXPECT_TRUE(camInited(h));
    EXPECT_EQ(camInfo(h), QString());
    EXPECT_FALSE(redetect(h)->isVisible());
    EXPECT_EQ(h.view()->var(QStringLiteral("cam_array")).toStringList(),
              QStringList{QStringLiteral("iVemba 测试摄像头")});
    EXPECT_TRUE(h.root()->var(QStringLiteral("Debug")).toBool());
    EXPECT_EQ(h.view()->currentFrame(), 2);
}

TEST(Detection, NoCameraShowsItsMessage) {
    CaptureHarness h(QStringLiteral("none"));
    EXPECT_EQ(camInfo(h), kNoCamera);
    EXPECT_FALSE(camInited(h));
    EXPECT_TRUE(redetect(h)->isVisible());
    // Camera events go to the trace only, never to an address.
    EXPECT_TRUE(h.traced(QStringLiteral("event:CamNotFound")));
    EXPECT_TRUE(h.opened().isEmpty());
    for (const QString& line : h.traces())
        EXPECT_FALSE(line.startsWith(QStringLiteral("getURL"))) << line.toStdString();
    // The shutter still works: the message and button, transparent elsewhere.
    const player::BitmapPtr shot = h.snapshot();
    EXPECT_EQ(qAlpha(shot->getPixel32(20, 20)), 0);
    bool text = false;
    for (int x = 1; x < 239 && !text; ++x)
        for (int y = 70; y < 135 && !text; ++y)
            text = qAlpha(shot->getPixel32(x, y)) > 0;
    EXPECT_TRUE(text);
}

TEST(Detection, BusyCameraShowsItsMessage) {
    CaptureHarness h(QStringLiteral("busy:%1"));
    ASSERT_TRUE(testsupport::waitUntil([&h] { return !camInfo(h).isEmpty(); }));
    EXPECT_EQ(camInfo(h), kBusy);
    EXPECT_TRUE(h.traced(QStringLiteral("event:CamEnable 0")));
    EXPECT_TRUE(redetect(h)->isVisible());
}

TEST(Detection, DeniedAccessShowsTheBusyMessageKeepsTheButtonAndTraces) {
    CaptureHarness h(QStringLiteral("denied:%1"));
    EXPECT_FALSE(camInited(h));
    EXPECT_TRUE(redetect(h)->isVisible());
    EXPECT_EQ(camInfo(h), kBusy) << "the busy message, not a blank view";
    bool notice = false;
    for (const QString& line : h.traces())
        notice = notice || line.contains(QStringLiteral("privacy settings"));
    EXPECT_TRUE(notice);
}

struct RefusalRow {
    const char* name;
    QString cameraSetting;
    bool playerAllows;
};

class Refusal : public ::testing::TestWithParam<RefusalRow> {};

// A camera refused by the system or by the player's own privacy choice opens the player's
// settings panel on the privacy choice, and the view says it cannot shoot.
TEST_P(Refusal, RefusedCameraOpensThePrivacyPanel) {
    const RefusalRow row = GetParam();
    CaptureHarness h(row.cameraSetting,
                     [&row](common::Settings& s) { s.cameraAllowed = row.playerAllows; });
    EXPECT_FALSE(camInited(h));
    EXPECT_EQ(camInfo(h), kBusy);
    EXPECT_TRUE(redetect(h)->isVisible());
    player::SettingsPanel* panel = h.stage().settingsPanel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->denyButton->isChecked(), !row.playerAllows);
}

INSTANTIATE_TEST_SUITE_P(Detection, Refusal,
                         ::testing::Values(RefusalRow{"BySystem", QStringLiteral("denied:%1"),
                                                      true},
                                           RefusalRow{"ByPlayer", QStringLiteral("%1"), false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Refusing the camera in the panel while it shows stops the picture at once, as a camera
// reporting itself muted; allowing it again changes nothing until the user re-detects.
TEST(Detection, PrivacyChoiceInThePanelMutesAndFreesTheLiveCamera) {
    CaptureHarness h;
    ASSERT_TRUE(camInited(h));
    auto* video =
        qobject_cast<media::VideoClip*>(h.at(QStringLiteral("dv/cam_pic_mc/my_video_mc/my_video")));
    ASSERT_TRUE(video && video->camera());
    player::SettingsPanel* panel = h.stage().showSettings(1);
    panel->denyButton->click();
    EXPECT_FALSE(h.stage().services().settings.cameraAllowed);
    EXPECT_FALSE(camInited(h));
    EXPECT_EQ(video->camera(), nullptr);
    EXPECT_EQ(camInfo(h), kBusy);
    EXPECT_TRUE(redetect(h)->isVisible());
    EXPECT_TRUE(h.traced(QStringLiteral("event:CamEnable 0")));
    EXPECT_EQ(h.snapshot()->getPixel(120, 20), 0u) << "no camera picture in the photo";

    panel->allowButton->click();
    EXPECT_TRUE(h.traced(QStringLiteral("event:CamEnable 1")));
    EXPECT_FALSE(camInited(h)) << "the picture comes back with a re-detection";
    redetect(h)->press();
    redetect(h)->release();
    h.stage().clock().tick();
    EXPECT_TRUE(camInited(h));
    EXPECT_TRUE(video->camera());
}

TEST(Detection, RedetectButtonRunsDetectionAgain) {
    CaptureHarness h(QStringLiteral("none"));
    Clip* button = redetect(h);
    // A camera is plugged in.
    h.stage().services().cameras = media::systemCameras(h.dir() + QStringLiteral("/camera.png"));
    button->press();
    button->release();
    EXPECT_EQ(h.view()->currentFrame(), 1);
    EXPECT_EQ(camInfo(h), QStringLiteral("正在检测摄像设备..."));
    h.stage().clock().tick();
    EXPECT_EQ(camInfo(h), QString());
    EXPECT_TRUE(camInited(h));
    EXPECT_FALSE(button->isVisible());
    EXPECT_TRUE(testsupport::waitUntil([&h] { return h.snapshot()->getPixel(120, 90) != 0; }));
}

// A machine's camera list a test plugs its one camera into and pulls it out of.
class PluggableInputs : public media::VideoInputs {
public:
    explicit PluggableInputs(QString picture) : m_picture(std::move(picture)) {}
    [[nodiscard]] QStringList names() const override { return m_names; }
    [[nodiscard]] QString defaultName() const override { return m_names.value(0); }
    [[nodiscard]] std::unique_ptr<media::Camera> open(const QString& name,
                                                      QObject* parent) override {
        if (!m_names.contains(name))
            return nullptr;
        return std::make_unique<media::StillCamera>(m_picture, media::StillCamera::Access::Allowed,
                                                    parent);
    }
    void plug(bool in) {
        m_names = in ? QStringList{media::StillCamera::kName} : QStringList{};
        emit changed();
    }

private:
    QString m_picture;
    QStringList m_names;
};

TEST(Detection, ACameraPulledOutShowsTheBusyMessageAndIsFoundAgainWhenBack) {
    CaptureHarness h(QStringLiteral("none"));
    auto inputs = std::make_shared<PluggableInputs>(h.dir() + QStringLiteral("/camera.png"));
    inputs->plug(true);
    h.stage().services().cameras = media::camerasOf(inputs);
    Clip* button = redetect(h);
    const auto redetectNow = [&h, button] {
        button->press();
        button->release();
        h.stage().clock().tick();
    };
    const auto camera = [&h] {
        return qobject_cast<media::Camera*>(
            h.view()->var(QStringLiteral("my_cam")).value<QObject*>());
    };
    redetectNow();
    ASSERT_TRUE(camInited(h));
    ASSERT_TRUE(camera() && camera()->isActive());

    inputs->plug(false);
    EXPECT_EQ(camInfo(h), kBusy);
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(h.traced(QStringLiteral("event:CamEnable 0")));
    EXPECT_FALSE(camera()->isActive());

    inputs->plug(true);
    EXPECT_EQ(camInfo(h), kBusy) << "nothing changes until the user asks again";
    redetectNow();
    EXPECT_EQ(camInfo(h), QString());
    EXPECT_FALSE(button->isVisible());
    ASSERT_TRUE(camera());
    EXPECT_TRUE(camera()->isActive());
}

} // namespace
} // namespace capturetest
