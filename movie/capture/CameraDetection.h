#pragma once

#include <QString>

namespace player {
class Clip;
}

namespace capture {

// What the view says when no camera can be used; the lines, their leading spaces and the
// line holding one space are part of the message.
[[nodiscard]] QString noCameraMessage();
[[nodiscard]] QString cameraBusyMessage();
[[nodiscard]] QString detectingMessage();

// Gives the view its two detection frames (frame 1 sets up, frame 2 detects and stops),
// `InitCam` and `_GetURL`, and starts on frame 1.
void startCameraDetection(player::Clip& view);

} // namespace capture
