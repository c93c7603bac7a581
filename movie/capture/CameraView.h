#pragma once

namespace player {
class Clip;
}

namespace capture {

// Builds the view `dv` of the capture page: the framed 240×180 picture clip `cam_pic_mc`
// (camera content, composite content, border, outline) and the border loading strip, and
// starts its camera detection.
player::Clip* buildCameraView(player::Clip& page);

// Shows the camera picture of `view` as in a looking-glass, or as the camera sees it. The
// same window of the camera picture stays in the frame, turned left for right; the snapshot
// draws the view as it shows.
void showMirrored(player::Clip& view, bool mirrored);

} // namespace capture
