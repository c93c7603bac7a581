#pragma once

namespace player {
class Clip;
}

namespace capture {

// Defines the root's `CaptureDo` (the shutter) and `getPhotoType`.
void defineSnapshot(player::Clip& root);

} // namespace capture
