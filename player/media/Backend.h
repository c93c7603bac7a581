#pragma once

#include "player/WavFile.h"

#include <QObject>
#include <functional>
#include <memory>

namespace media {

class VideoInputs;

// The machine's media system: its cameras and its sound output. It lives in a library of
// its own, loaded the first time something asks for it, so that the program does not load
// the media system, and the audio and codec libraries it pulls in, on its way to the first
// frame.
class Backend {
public:
    virtual ~Backend() = default;
    // The machine's video inputs, watched for webcams plugged in and pulled out.
    [[nodiscard]] virtual std::shared_ptr<VideoInputs> videoInputs() = 0;
    // Starts `sound` on the default output, as a child of `owner` that plays until the sound
    // ends, when `ended` runs once and the child goes, or until the child is deleted. Null
    // when there is no output that can play it.
    virtual QObject* play(const player::WavSound& sound, QObject* owner,
                          std::function<void()> ended) = 0;
};

// The function the back end's library exports, by the name "ivemba_media_backend".
using BackendEntry = Backend* (*)();

// The back end, loaded once for the process; null when its library is missing or cannot be
// loaded (then there is no camera and no sound, and the program says why once).
[[nodiscard]] Backend* systemBackend();

} // namespace media
