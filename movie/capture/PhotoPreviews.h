#pragma once

namespace player {
class Stage;
}

namespace capture {

// Registers "local_photo_previews", the picture-file panel of the composite page: the slots
// `photo_1` and `photo_2`, the hint, `Reset_size_button` and the scale display bound to
// `ScaleRating`.
void definePhotoPreviews(player::Stage& stage);

} // namespace capture
