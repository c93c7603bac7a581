#pragma once

#include <QStringList>

namespace player {
class Clip;
class Stage;
} // namespace player

namespace capture {

// Defines the library symbol "capture_page": the capture page `capture_mc` with its view.
void defineSymbols(player::Stage& stage);

// Defines the root's `CaptureDo`, `getPhotoType` and `SelectThisPhoto` (frame 2 of the movie).
void defineRootFunctions(player::Clip& root);

} // namespace capture
