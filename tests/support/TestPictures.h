#pragma once

#include <QImage>

namespace testsupport {

// A smooth, colourful 320×240 camera picture with a soft sun in it, so that sub-pixel
// placement and JPEG coding hardly change a pixel and a photo of it can be compared with
// what the view showed.
[[nodiscard]] QImage smoothCameraScene();

} // namespace testsupport
