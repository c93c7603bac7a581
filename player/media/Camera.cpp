#include "player/media/Camera.h"

#include "player/media/QtCamera.h"
#include "player/media/StillCamera.h"

#include <QMediaDevices>

namespace media {

namespace {

struct StillChoice {
    bool present = false;
    StillCamera::Access access = StillCamera::Access::Allowed;
    QString path;
};

StillChoice stillChoice(const QString& value) {
    StillChoice choice;
    if (value == QLatin1String("none"))
        return choice;
    choice.present = true;
    choice.path = value;
    if (value.startsWith(QLatin1String("busy:"))) {
        choice.access = StillCamera::Access::Busy;
        choice.path = value.mid(5);
    } else if (value.startsWith(QLatin1String("denied:"))) {
        choice.access = StillCamera::Access::Denied;
        choice.path = value.mid(7);
    }
    return choice;
}

} // namespace

CameraSource systemCameras(const std::optional<QString>& testCamera) {
    CameraSource source;
    if (!testCamera) {
        source.names = [] {
            QStringList names;
            for (const QCameraDevice& device : QMediaDevices::videoInputs())
                names.append(device.description());
            return names;
        };
        source.defaultName = [] { return QMediaDevices::defaultVideoInput().description(); };
        source.openDefault = [](QObject* parent) -> std::unique_ptr<Camera> {
            const QCameraDevice device = QMediaDevices::defaultVideoInput();
            if (device.isNull())
                return nullptr;
            return std::make_unique<QtCamera>(device, parent);
        };
        return source;
    }
    const StillChoice choice = stillChoice(*testCamera);
    source.names = [choice] {
        return choice.present ? QStringList{StillCamera::kName} : QStringList{};
    };
    source.defaultName = [choice] { return choice.present ? StillCamera::kName : QString(); };
    source.openDefault = [choice](QObject* parent) -> std::unique_ptr<Camera> {
        if (!choice.present)
            return nullptr;
        return std::make_unique<StillCamera>(choice.path, choice.access, parent);
    };
    return source;
}

} // namespace media
