#pragma once

namespace player {
class Clip;
}

namespace shell {

// Places the three title-bar hints (new version, new borders, borders done), hidden.
void placeHints(player::Clip& root);

// Defines `OnNewBorderPublish` (shows the new-border hint) and `reloadBorder` (swaps it for
// the hint asking for a restart) on the root.
void defineBorderHintHandlers(player::Clip& root);

// Attaches the border hints' click handlers and hides all three hints.
void attachHintHandlers(player::Clip& root);

} // namespace shell
