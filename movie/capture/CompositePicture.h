#pragma once

namespace player {
class Clip;
}

namespace capture {

// Builds `photo_mc` in `FromPhoto_mc`: the holder of the chosen picture, with
// `SelectThisPhoto(bitmap)`, `SetScale2(xs, ys)`, the drag that keeps the view's centre
// covered and the mouse-wheel zoom.
void buildCompositePicture(player::Clip& fromPhoto);

} // namespace capture
