#include "player/media/QtCamera.h"

#include <QCamera>
#include <QFileInfo>
#include <QVideoFrame>
#include <QVideoSink>
#include <cmath>
#include <limits>
#include <unistd.h>

namespace media {

namespace {

// The device's format nearest to the wanted size, then to the wanted rate; a camera that
// can deliver 320×240 itself saves scaling every frame.
QCameraFormat nearestFormat(const QCameraDevice& device, QSize size, double fps) {
    QCameraFormat best;
    double bestScore = std::numeric_limits<double>::max();
    for (const QCameraFormat& format : device.videoFormats()) {
        const QSize s = format.resolution();
        if (s.width() < size.width() || s.height() < size.height())
            continue;
        const double area = double(s.width()) * s.height() / (size.width() * size.height());
        const double rate = fps < format.minFrameRate()   ? format.minFrameRate() - fps
                            : fps > format.maxFrameRate() ? fps - format.maxFrameRate()
                                                          : 0.0;
        const double score = area * 10.0 + rate;
        if (score < bestScore) {
            bestScore = score;
            best = format;
        }
    }
    return best;
}

} // namespace

QtCamera::QtCamera(const QCameraDevice& device, QObject* parent)
    : Camera(device.description(), parent), m_device(device), m_camera(new QCamera(device, this)),
      m_sink(new QVideoSink(this)) {
    m_session.setCamera(m_camera);
    m_session.setVideoSink(m_sink);
    connect(m_sink, &QVideoSink::videoFrameChanged, this, &QtCamera::onFrame);
    connect(m_camera, &QCamera::errorOccurred, this, &QtCamera::onError);
    connect(m_camera, &QCamera::activeChanged, this, &QtCamera::onActive);
    modeChanged();
}

QtCamera::~QtCamera() {
    m_camera->stop();
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
    const QCameraFormat format = nearestFormat(m_device, modeSize(), modeFps());
    if (!format.isNull())
        m_camera->setCameraFormat(format);
}

void QtCamera::start() {
    m_failed = false;
    m_sinceFrame.invalidate();
    m_camera->start();
}

void QtCamera::stop() {
    m_camera->stop();
}

bool QtCamera::isActive() const {
    return m_camera->isActive();
}

void QtCamera::onFrame(const QVideoFrame& frame) {
    // The device may run faster than the mode asks; frames beyond the mode's rate are
    // dropped before the costly conversion.
    const qint64 spacing = static_cast<qint64>(1000.0 / std::max(modeFps(), 1.0)) - 5;
    if (m_sinceFrame.isValid() && m_sinceFrame.elapsed() < spacing)
        return;
    m_sinceFrame.start();
    QImage image = frame.toImage();
    if (image.isNull())
        return;
    if (image.size() != modeSize())
        image = image.scaled(modeSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.format() != QImage::Format_ARGB32_Premultiplied &&
        image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    deliver(image);
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
