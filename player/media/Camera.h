#pragma once

#include "player/media/ScreenCopy.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace media {

// A camera as the movie sees it: a name, whether access is allowed, a capture mode, status
// reports and a stream of frames. Frames are delivered on the UI thread, already converted
// to pictures the stage can paint, in the mode's size and shape: the centre of what the
// device sees, never a stretched picture.
class Camera : public QObject {
    Q_OBJECT
public:
    // The status code a camera reports when access is refused or the device cannot be used.
    static constexpr const char* kMuted = "Camera.Muted";
    static constexpr const char* kUnmuted = "Camera.Unmuted";

    explicit Camera(QString name, QObject* parent = nullptr)
        : QObject(parent), m_name(std::move(name)) {}

    [[nodiscard]] QString name() const { return m_name; }
    // True while the camera may not be used (access not allowed, or the device is busy).
    [[nodiscard]] virtual bool muted() const = 0;
    // Asking for the camera again: a device that was busy, or went away and came back, gets
    // another chance.
    void refresh() {
        m_gone = false;
        reopen();
    }
    // The device is no longer there (unplugged while in use): the camera stops and reports
    // kMuted, once, as a device taken by another program does.
    void deviceGone() {
        if (m_gone)
            return;
        m_gone = true;
        stop();
        emit status(QString::fromLatin1(kMuted));
    }
    [[nodiscard]] bool gone() const { return m_gone; }
    void setMode(QSize size, double fps) {
        m_size = size;
        m_fps = fps;
        modeChanged();
    }
    [[nodiscard]] QSize modeSize() const { return m_size; }
    [[nodiscard]] double modeFps() const { return m_fps; }
    // Bandwidth in bytes per second (0: no limit) and picture quality 0-100. Kept for the
    // movie's sake; a local camera has no stream to compress.
    void setQuality(int bandwidth, int quality) {
        m_bandwidth = bandwidth;
        m_quality = quality;
    }
    [[nodiscard]] int bandwidth() const { return m_bandwidth; }
    [[nodiscard]] int quality() const { return m_quality; }
    // Starts delivering frames; a camera that cannot deliver reports kMuted.
    virtual void start() = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool isActive() const = 0;
    // The latest frame delivered; null before the first.
    [[nodiscard]] QImage lastFrame() const { return m_last; }
    // The look a view shows the frames in. A camera may then deliver each frame in that look
    // too, made where the frame is made; this one makes none.
    virtual void setScreenLook(const ScreenLook& look) { m_look = look; }
    [[nodiscard]] ScreenLook screenLook() const { return m_look; }
    // The latest frame in the view's look, if the camera made one.
    [[nodiscard]] const ScreenCopy& screenCopy() const { return m_screenCopy; }

signals:
    void status(const QString& code);
    void activity(bool active);
    void frame(const QImage& image);

protected:
    virtual void modeChanged() {}
    virtual void reopen() {}
    void deliver(const QImage& image, const ScreenCopy& copy = {}) {
        m_last = image;
        m_screenCopy = copy;
        emit frame(image);
    }

private:
    QString m_name;
    QSize m_size{160, 120};
    double m_fps = 15;
    int m_bandwidth = 16384;
    int m_quality = 0;
    QImage m_last;
    ScreenLook m_look;
    ScreenCopy m_screenCopy;
    bool m_gone = false;
};

// The video inputs a camera source reads: their names, the default one, how to open one,
// and a signal when the list changes (a webcam plugged in or pulled out).
class VideoInputs : public QObject {
    Q_OBJECT
public:
    [[nodiscard]] virtual QStringList names() const = 0;
    [[nodiscard]] virtual QString defaultName() const = 0;
    [[nodiscard]] virtual std::unique_ptr<Camera> open(const QString& name, QObject* parent) = 0;

signals:
    void changed();
};

// Which cameras there are and how to open the default one, as a stage's services hold it.
struct CameraSource {
    std::function<QStringList()> names;
    std::function<QString()> defaultName;
    std::function<std::unique_ptr<Camera>(QObject* parent)> openDefault;
};
// The machine's cameras, or, when `testCamera` is given, one still picture in their place
// (for tests and machines without a webcam):
//   <path>         one camera showing the picture at <path> as every frame
//   busy:<path>    the same camera, but the device is taken by another program
//   denied:<path>  the same camera, but access to it is not allowed
//   none           no camera at all
// Nothing touches the machine's media devices before the first call of a member. The default
// camera is `chosen` (a camera's name, as the player's settings keep it) while it is there,
// else the system's default.
[[nodiscard]] CameraSource systemCameras(const std::optional<QString>& testCamera,
                                         const QString& chosen = {});
// The cameras of `inputs`. A camera opened through it learns when its device leaves the list.
[[nodiscard]] CameraSource camerasOf(std::shared_ptr<VideoInputs> inputs,
                                     const QString& chosen = {});

} // namespace media
