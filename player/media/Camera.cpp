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

// The still-picture switch, read where it is needed so that tests can set it per case.
std::optional<StillChoice> stillChoice() {
    if (!qEnvironmentVariableIsSet("IVEMBA_TEST_CAMERA"))
        return std::nullopt;
    const QString value = qEnvironmentVariable("IVEMBA_TEST_CAMERA");
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

QStringList cameraNames() {
    if (const auto still = stillChoice())
        return still->present ? QStringList{StillCamera::kName} : QStringList{};
    QStringList names;
    for (const QCameraDevice& device : QMediaDevices::videoInputs())
        names.append(device.description());
    return names;
}

QString defaultCameraName() {
    if (const auto still = stillChoice())
        return still->present ? StillCamera::kName : QString();
    return QMediaDevices::defaultVideoInput().description();
}

std::unique_ptr<Camera> defaultCamera(QObject* parent) {
    if (const auto still = stillChoice()) {
        if (!still->present)
            return nullptr;
        return std::make_unique<StillCamera>(still->path, still->access, parent);
    }
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull())
        return nullptr;
    return std::make_unique<QtCamera>(device, parent);
}

CameraSource systemCameras() {
    const std::optional<StillChoice> still = stillChoice();
    if (!still)
        return {&cameraNames, &defaultCameraName, &defaultCamera};
    CameraSource source;
    const StillChoice choice = *still;
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
