#include "player/media/StillCamera.h"

#include "player/PictureDecoder.h"
#include "player/media/Crop.h"

#include <QLoggingCategory>
#include <cmath>

namespace media {

StillCamera::StillCamera(const QString& path, Access access, QObject* parent)
    : Camera(kName, parent), m_access(access) {
    player::DecodedPicture decoded = player::decodePictureFile(path);
    m_picture = std::move(decoded.image);
    if (m_picture.isNull())
        qWarning().noquote() << "still camera: cannot read" << path << decoded.error;
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StillCamera::tick);
    modeChanged();
}

void StillCamera::modeChanged() {
    m_timer.setInterval(static_cast<int>(std::lround(1000.0 / std::max(modeFps(), 1.0))));
    if (m_picture.isNull()) {
        m_frame = {};
        m_frameOnScreen = {};
        return;
    }
    // A camera in a 320×240 mode delivers 320×240 frames whatever its sensor holds: the
    // centre of a picture of another shape, as a webcam's does.
    m_frame = m_picture.copy(centreCrop(m_picture.size(), modeSize()))
                  .scaled(modeSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_frameOnScreen = makeScreenCopy(m_frame, screenLook());
}

void StillCamera::setScreenLook(const ScreenLook& look) {
    if (look == screenLook())
        return;
    Camera::setScreenLook(look);
    m_frameOnScreen = makeScreenCopy(m_frame, look);
}

void StillCamera::start() {
    if (m_access != Access::Allowed) {
        // Reported from the event loop, as a device would.
        QMetaObject::invokeMethod(
            this, [this] { emit status(QString::fromLatin1(kMuted)); }, Qt::QueuedConnection);
        return;
    }
    if (m_timer.isActive())
        return;
    m_timer.start();
    emit activity(true);
    tick();
}

void StillCamera::stop() {
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    emit activity(false);
}

void StillCamera::tick() {
    if (!m_frame.isNull())
        deliver(m_frame, m_frameOnScreen);
}

} // namespace media
