#pragma once

namespace player {
class Clip;
class Stage;
} // namespace player

namespace tray {

// Defines the library symbol "Photo_model": a photo card. A shadowed 240×180 plate, the
// picture clip `pic` (the same plate; the tray attaches the snapshot inside it at depth
// 50), the icon buttons `but_delete`, `but_print` and `but_save` over the bottom of the
// picture, and an empty caption below it. Pressing the picture brings the card to the
// front and drags it within the tray.
void defineCard(player::Stage& stage);

// The depth at which the tray attaches a card's snapshot inside `pic`.
inline constexpr int kSnapshotDepth = 50;

} // namespace tray
