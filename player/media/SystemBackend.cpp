// The media back end's library: the machine's cameras and sound output through Qt
// Multimedia. The program loads it after its first frame; nothing else in the program links
// the media system.
#include "player/media/Backend.h"
#include "player/media/Camera.h"
#include "player/media/QtCamera.h"

#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QVariant>

namespace media {

namespace {

class SystemInputs : public VideoInputs {
public:
    SystemInputs() {
        connect(&m_devices, &QMediaDevices::videoInputsChanged, this, &VideoInputs::changed);
    }
    [[nodiscard]] QStringList names() const override {
        QStringList names;
        for (const QCameraDevice& device : QMediaDevices::videoInputs())
            names.append(device.description());
        return names;
    }
    [[nodiscard]] QString defaultName() const override {
        return QMediaDevices::defaultVideoInput().description();
    }
    [[nodiscard]] std::unique_ptr<Camera> open(const QString& name, QObject* parent) override {
        const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
        for (const QCameraDevice& device : inputs) {
            if (device.description() == name)
                return std::make_unique<QtCamera>(device, parent);
        }
        return nullptr;
    }

private:
    QMediaDevices m_devices;
};

QAudioFormat formatOf(const player::WavSound& sound) {
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(sound.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

class SystemBackend : public Backend {
public:
    std::shared_ptr<VideoInputs> videoInputs() override { return std::make_shared<SystemInputs>(); }

    QObject* play(const player::WavSound& sound, QObject* owner,
                  std::function<void()> ended) override {
        const QAudioFormat format = formatOf(sound);
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull() || !device.isFormatSupported(format))
            return nullptr;
        auto* sink = new QAudioSink(device, format, owner);
        sink->setVolume(0.6);
        auto* buffer = new QBuffer(sink);
        buffer->setData(sound.samples);
        buffer->open(QIODevice::ReadOnly);
        QObject::connect(sink, &QAudioSink::stateChanged, sink,
                         [sink, ended = std::move(ended)](QAudio::State state) {
                             if (state == QAudio::ActiveState || sink->property("done").toBool())
                                 return;
                             sink->setProperty("done", true);
                             ended();
                             sink->deleteLater();
                         });
        sink->start(buffer);
        return sink;
    }
};

} // namespace

} // namespace media

extern "C" Q_DECL_EXPORT media::Backend* ivemba_media_backend() {
    static media::SystemBackend backend;
    return &backend;
}
