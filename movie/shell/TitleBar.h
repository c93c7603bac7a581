#pragma once

namespace player {
class Clip;
}

namespace shell {

// The window's own parts: background picture, drag strip `bg_mc`, About button
// `softinfo_button`, the outline `软件边框_mc` and the window buttons `but_quit`,
// `but_help`, `but_miniapp`.
void placeWindowPicture(player::Clip& root);
void placeTitleStrip(player::Clip& root);
void placeAboutButton(player::Clip& root);
void placeOutline(player::Clip& root);
void placeWindowButtons(player::Clip& root);

// Hides the window buttons: only the desktop host can act on them.
void hideWindowButtons(player::Clip& root);

// The commands the drag strip and the window buttons raise to the host.
void attachWindowHandlers(player::Clip& root);
void attachAboutHandler(player::Clip& root);

} // namespace shell
