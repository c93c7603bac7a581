#include "movie/capture/CameraDetection.h"

#include "movie/capture/BorderLoader.h"
#include "movie/capture/CameraView.h"
#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "player/media/Camera.h"
#include "player/media/VideoClip.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

namespace capture {

using player::Clip;

namespace {

// The view's camera: detection, set-up and the camera's reports. It lives as long as the
// view and owns the one camera object the view uses (`my_cam`).
class CameraDetection : public QObject {
public:
    explicit CameraDetection(Clip& view) : QObject(&view), m_view(view) {
        view.stage()->services().addSettingsListener(
            this, [this](const common::Settings& before) { onSettingsChanged(before); });
    }

    void frame1() {
        resetBorderLoader(m_view);
        player::Stage* stage = m_view.stage();
        stage->trace(stage->movieUrl());
        stage->root()->setVar(QStringLiteral("Debug"), true);
        m_view.setVar(moviecommon::vars::cam_info, detectingMessage());
    }

    void frame2() {
        m_view.stop();
        // Looking for cameras starts the media back end; the window comes up first, saying
        // that detection is under way.
        m_view.stage()->afterFirstPaint(this, [this] { detect(); });
    }

    void detect() {
        Clip* root = m_view.stage()->root();
        root->setVar(QStringLiteral("caminited"), false);
        const QStringList names = m_view.stage()->services().cameras.names();
        m_view.setVar(moviecommon::vars::cam_array, names);
        if (!names.isEmpty()) {
            m_view.setVar(moviecommon::vars::cam_info, QString());
            initCam();
        } else {
            dropCamera();
            getUrl(QStringLiteral("event:CamNotFound"));
            m_view.setVar(moviecommon::vars::cam_info, noCameraMessage());
        }
        listenToCamera();
        if (Clip* button = redetectButton()) {
            Clip* view = &m_view;
            button->onRelease([view] { view->gotoAndPlay(1); });
        }
    }

    void initCam() {
        const QString name = m_view.stage()->services().cameras.defaultName();
        if (!m_cam || m_cam->name() != name) {
            dropCamera();
            m_cam = m_view.stage()->services().cameras.openDefault(this).release();
            m_view.setVar(QStringLiteral("my_cam"), QVariant::fromValue<QObject*>(m_cam));
            listenToCamera();
        }
        if (!m_cam)
            return;
        m_cam->refresh();
        player::Stage* stage = m_view.stage();
        // The camera is refused when the device may not be opened or when the user told the
        // player not to let the movie have it.
        if (m_cam->muted() || !moviecommon::settingsOf(m_view).cameraAllowed) {
            stage->trace(QStringLiteral("privacy settings (panel 0): access to camera \"") +
                         m_cam->name() + QStringLiteral("\" is not allowed"));
            stage->showSettings(0);
            // A blank view would tell the user nothing; a camera they may not open is as
            // unusable to them as one another program holds.
            m_view.setVar(moviecommon::vars::cam_info, cameraBusyMessage());
            return;
        }
        stage->root()->setVar(QStringLiteral("caminited"), true);
        m_cam->setMode({320, 240}, 15);
        m_cam->setQuality(0, 100);
        if (auto* video = videoClip())
            video->attachCamera(m_cam);
        m_cam->start();
        const QString url = stage->movieUrl();
        if (url.contains(QLatin1String(".dir")) || url.contains(QLatin1String(".dcr")))
            getUrl(QStringLiteral("event:CamPrepared"));
        if (Clip* button = redetectButton())
            button->hide();
    }

    void getUrl(const QString& text) {
        player::Stage* stage = m_view.stage();
        if (stage->root()->var(QStringLiteral("Debug")).toBool())
            stage->trace(text);
        else
            stage->getURL(text, QString());
    }

private:
    // The player's settings changed under the movie: a camera refused from now on reports
    // itself muted, as an answer in a player's privacy panel does, and one allowed again
    // reports it is free (the user still re-detects to see it); another chosen camera is
    // detected at once; the looking-glass follows the switch.
    void onSettingsChanged(const common::Settings& before) {
        const common::Settings& now = moviecommon::settingsOf(m_view);
        if (now.mirror != before.mirror)
            showMirrored(m_view, now.mirror);
        if (now.cameraId != before.cameraId) {
            m_view.gotoAndPlay(1);
            return;
        }
        if (now.cameraAllowed == before.cameraAllowed || !m_cam)
            return;
        if (!now.cameraAllowed) {
            m_cam->stop();
            if (auto* video = videoClip()) {
                video->attachCamera(nullptr);
                video->showFrame({});
            }
            m_view.stage()->root()->setVar(QStringLiteral("caminited"), false);
        }
        onStatus(
            QLatin1String(now.cameraAllowed ? media::Camera::kUnmuted : media::Camera::kMuted));
    }

    void listenToCamera() {
        if (!m_cam)
            return;
        m_cam->disconnect(this);
        connect(m_cam, &media::Camera::status, this, &CameraDetection::onStatus);
        connect(m_cam, &media::Camera::activity, this, [this](bool active) {
            m_view.stage()->trace(active ? QStringLiteral("true") : QStringLiteral("false"));
        });
    }

    void onStatus(const QString& code) {
        Clip* root = m_view.stage()->root();
        if (code == QLatin1String(media::Camera::kMuted)) {
            if (!root->var(QStringLiteral("caminited")).toBool())
                initCam();
            m_view.setVar(moviecommon::vars::cam_info, cameraBusyMessage());
            // A device taken by another program is only found out once it is started,
            // after set-up hid the button; the user needs it to try again.
            if (Clip* button = redetectButton())
                button->show();
            getUrl(QStringLiteral("event:CamEnable 0"));
        } else {
            getUrl(QStringLiteral("event:CamEnable 1"));
        }
    }

    void dropCamera() {
        if (auto* video = videoClip()) {
            video->attachCamera(nullptr);
            video->showFrame({});
        }
        if (m_cam) {
            m_cam->disconnect(this);
            m_cam->stop();
            m_cam->deleteLater();
            m_cam = nullptr;
        }
    }

    [[nodiscard]] media::VideoClip* videoClip() const {
        return qobject_cast<media::VideoClip*>(
            m_view.resolve(QStringLiteral("cam_pic_mc/my_video_mc/my_video")));
    }
    [[nodiscard]] Clip* redetectButton() const {
        return m_view.resolve(QStringLiteral("cam_pic_mc/my_video_mc/ReDetectDV_button"));
    }

    Clip& m_view;
    QPointer<media::Camera> m_cam;
};

} // namespace

QString noCameraMessage() {
    return QCoreApplication::translate("capture",
                                       "没有找到摄像设备，无法拍摄！\n  请先用 [合成] 模式！\n \n"
                                       "点上面的[合成]按钮进入合成模式！");
}

QString cameraBusyMessage() {
    return QCoreApplication::translate("capture",
                                       "摄像头设备被占用，无法拍摄！\n 请先用 [合成] 模式！\n \n"
                                       "点上面的[合成]按钮进入合成模式！");
}

QString detectingMessage() {
    return QCoreApplication::translate("capture", "正在检测摄像设备...");
}

void startCameraDetection(Clip& view) {
    auto* detection = new CameraDetection(view);
    view.define(QStringLiteral("InitCam"), [detection](const QVariantList&) {
        detection->initCam();
        return QVariant();
    });
    view.define(QStringLiteral("_GetURL"), [detection](const QVariantList& args) {
        detection->getUrl(args.value(0).toString());
        return QVariant();
    });
    view.timeline().setScript(1, [detection] { detection->frame1(); });
    view.timeline().setScript(2, [detection] { detection->frame2(); });
    view.gotoAndPlay(1);
}

} // namespace capture
