#pragma once

namespace player {
class Clip;
}

namespace capture {

// Builds the view `dv` of the capture page: the framed 240×180 picture clip `cam_pic_mc`
// (camera content, composite content, border, outline) and the border loading strip, and
// starts its camera detection.
player::Clip* buildCameraView(player::Clip& page);

} // namespace capture
