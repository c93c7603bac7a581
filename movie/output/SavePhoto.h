#pragma once

#include <QString>

namespace player {
class Clip;
class Stage;
} // namespace player

namespace output {

// Defines a photo card's save operations: `SavePhoto` (release of `but_save`), the
// desktop step `SavePhoto2disc` and the browser step `SavePhoto2Web`, each one 50 ms
// after the press so that the status text is drawn before the work blocks the movie.
// The card keeps the handle of its pending step in `Timer`; a press while a step is
// pending is ignored, so a card never has two.
void defineSaveFunctions(player::Clip& card);

// The picture a save sends: the card's `pic` drawn at its own coordinates into an opaque
// black 240×180 bitmap, as pixel text. Empty when the card has no picture.
[[nodiscard]] QString savePictureText(const player::Clip& card);

// The save settings' OK action: shows the status panel and hands the panel's picture and
// photo type to `Upload_mc.UploadPic`. Refused while an upload is under way.
void savePhoto2WebDo(player::Stage& stage);

inline constexpr int kSaveStepMs = 50;
// The status text while a card's picture is taken for saving or uploading.
[[nodiscard]] QString saveStatusText();

} // namespace output
