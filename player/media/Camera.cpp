#include "player/media/Camera.h"

#include "player/media/Backend.h"
#include "player/media/StillCamera.h"

namespace media {

namespace {

// The machine's webcams, from the media back end. The back end's library (and the media
// system that comes up with it) is loaded on the first question, not when the source is
// made, so a program that has not looked for a camera yet has not paid for it.
class SystemInputs : public VideoInputs {
public:
    [[nodiscard]] QStringList names() const override {
        return inner() ? inner()->names() : QStringList();
    }
    [[nodiscard]] QString defaultName() const override {
        return inner() ? inner()->defaultName() : QString();
    }
    [[nodiscard]] std::unique_ptr<Camera> open(const QString& name, QObject* parent) override {
        return inner() ? inner()->open(name, parent) : nullptr;
    }

private:
    VideoInputs* inner() const {
        if (!m_asked) {
            m_asked = true;
            if (Backend* backend = systemBackend())
                m_inner = backend->videoInputs();
            if (m_inner)
                connect(m_inner.get(), &VideoInputs::changed, this, &VideoInputs::changed);
        }
        return m_inner.get();
    }

    mutable bool m_asked = false;
    mutable std::shared_ptr<VideoInputs> m_inner;
};

// One still picture in place of the machine's cameras, or none at all.
class StillInputs : public VideoInputs {
public:
    explicit StillInputs(const QString& setting) {
        if (setting == QLatin1String("none"))
            return;
        m_present = true;
        m_path = setting;
        if (setting.startsWith(QLatin1String("busy:"))) {
            m_access = StillCamera::Access::Busy;
            m_path = setting.mid(5);
        } else if (setting.startsWith(QLatin1String("denied:"))) {
            m_access = StillCamera::Access::Denied;
            m_path = setting.mid(7);
        }
    }
    [[nodiscard]] QStringList names() const override {
        return m_present ? QStringList{StillCamera::kName} : QStringList{};
    }
    [[nodiscard]] QString defaultName() const override {
        return m_present ? StillCamera::kName : QString();
    }
    [[nodiscard]] std::unique_ptr<Camera> open(const QString& name, QObject* parent) override {
        if (!m_present || name != StillCamera::kName)
            return nullptr;
        return std::make_unique<StillCamera>(m_path, m_access, parent);
    }

private:
    bool m_present = false;
    StillCamera::Access m_access = StillCamera::Access::Allowed;
    QString m_path;
};

} // namespace

CameraSource camerasOf(std::shared_ptr<VideoInputs> inputs, const QString& chosen) {
    CameraSource source;
    const auto defaultName = [inputs, chosen] {
        return !chosen.isEmpty() && inputs->names().contains(chosen) ? chosen
                                                                     : inputs->defaultName();
    };
    source.names = [inputs] { return inputs->names(); };
    source.defaultName = defaultName;
    source.openDefault = [inputs, defaultName](QObject* parent) -> std::unique_ptr<Camera> {
        const QString name = defaultName();
        if (name.isEmpty())
            return nullptr;
        std::unique_ptr<Camera> camera = inputs->open(name, parent);
        if (!camera)
            return nullptr;
        Camera* opened = camera.get();
        // The list, not the camera, knows first that a device was pulled out: a camera
        // that is only being read from may not notice until much later.
        QObject::connect(inputs.get(), &VideoInputs::changed, opened,
                         [opened, inputs = std::weak_ptr<VideoInputs>(inputs)] {
                             const auto list = inputs.lock();
                             if (list && !list->names().contains(opened->name()))
                                 opened->deviceGone();
                         });
        return camera;
    };
    return source;
}

CameraSource systemCameras(const std::optional<QString>& testCamera, const QString& chosen) {
    if (testCamera)
        return camerasOf(std::make_shared<StillInputs>(*testCamera), chosen);
    return camerasOf(std::make_shared<SystemInputs>(), chosen);
}

} // namespace media
