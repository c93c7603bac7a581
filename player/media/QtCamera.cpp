#include "player/media/QtCamera.h"

#include "player/media/CameraFormat.h"
#include "player/media/LatestFrameConverter.h"

#include <QCamera>
#include <QFileInfo>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>
#include <cmath>
#include <unistd.h>

namespace media {

QtCamera::QtCamera(const QCameraDevice& device, QObject* parent)
    : Camera(device.description(), parent), m_device(device), m_sink(new QVideoSink(this)),
      m_converter(std::make_unique<LatestFrameConverter>(modeSize())) {
    m_session.setVideoSink(m_sink);
    // Straight to the converter from whichever thread the back end delivers on: the UI
    // thread sees a frame only once it is a finished picture.
    connect(
        m_sink, &QVideoSink::videoFrameChanged, m_converter.get(),
        [converter = m_converter.get()](const QVideoFrame& frame) { converter->submit(frame); },
        Qt::DirectConnection);
    connect(m_converter.get(), &LatestFrameConverter::converted, this, &QtCamera::deliver);
    makeCamera();
}

QtCamera::~QtCamera() {
    m_camera->stop();
    // The session lets go of the camera before either goes; the converter stops its thread.
    m_session.setCamera(nullptr);
}

void QtCamera::makeCamera() {
    if (m_camera) {
        m_camera->stop();
        m_session.setCamera(nullptr);
        m_camera->disconnect(this);
        m_camera->deleteLater();
    }
    m_camera = new QCamera(m_device, this);
    m_session.setCamera(m_camera);
    connect(m_camera, &QCamera::errorOccurred, this, &QtCamera::onError);
    connect(m_camera, &QCamera::activeChanged, this, &QtCamera::onActive);
    modeChanged();
}

bool QtCamera::muted() const {
    if (m_failed)
        return true;
    // A device node the user may not open: access is not allowed.
    const QString id = QString::fromUtf8(m_device.id());
    if (id.startsWith(QLatin1String("/dev/")) && QFileInfo::exists(id))
        return ::access(QFile::encodeName(id).constData(), R_OK | W_OK) != 0;
    return false;
}

void QtCamera::modeChanged() {
    QList<FormatOffer> offers;
    const QList<QCameraFormat> formats = m_device.videoFormats();
    for (const QCameraFormat& format : formats)
        offers.append({format.resolution(), format.minFrameRate(), format.maxFrameRate(),
                       format.pixelFormat()});
    if (const auto chosen = chooseCameraFormat(offers, modeSize(), modeFps()))
        m_camera->setCameraFormat(formats.at(*chosen));
    m_converter->setTarget(modeSize());
    // A device may run faster than the mode asks; the frames in between are dropped before
    // they cost a conversion. The slack keeps a device at exactly the mode's rate whole.
    m_converter->setMinSpacing(
        std::max(0, static_cast<int>(1000.0 / std::max(modeFps(), 1.0)) - 5));
}

void QtCamera::reopen() {
    m_failed = false;
    // A webcam plugged back in may come back under another device node; the same name is
    // the same camera to the user.
    const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
    for (const QCameraDevice& device : inputs) {
        if (device.description() == name()) {
            if (device.id() != m_device.id() || m_camera->error() != QCamera::NoError) {
                m_device = device;
                makeCamera();
            }
            return;
        }
    }
}

void QtCamera::start() {
    m_failed = false;
    m_camera->start();
}

void QtCamera::stop() {
    m_camera->stop();
}

bool QtCamera::isActive() const {
    return m_camera->isActive();
}

void QtCamera::setScreenLook(const ScreenLook& look) {
    Camera::setScreenLook(look);
    m_converter->setScreenLook(look);
}

void QtCamera::onError() {
    qWarning().noquote() << "camera" << name() << m_camera->errorString();
    m_failed = true;
    m_reportedMuted = true;
    emit status(QString::fromLatin1(kMuted));
}

void QtCamera::onActive(bool active) {
    emit activity(active);
    if (active && m_reportedMuted) {
        m_reportedMuted = false;
        emit status(QString::fromLatin1(kUnmuted));
    }
}

} // namespace media
