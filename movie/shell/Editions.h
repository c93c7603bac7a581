#pragma once

namespace player {
class Clip;
}

namespace shell {

// The movie starts as the browser edition ("ie") and becomes the desktop edition the first
// time the host assigns `SetIdeType`, whatever the value. Every edition test compares the
// flag with "ie".
[[nodiscard]] bool isBrowserEdition(const player::Clip& root);

// Sets `SetIdeType` to "ie", defines `onSetIdeType` and watches the flag (`bcSetIdeType`).
void watchEdition(player::Clip& root);

// Gives the other host variables their first values and watches them, in the order the
// host relies on: `OnSelectFiledOK`, `OnClassInfoLoadOK`, `OnNewBorderPublished`,
// `OnReloadBordered`.
void watchHostVariables(player::Clip& root);

// Defines `GetButtonHint`: the label of a card's save button in this edition.
void defineGetButtonHint(player::Clip& root);

} // namespace shell
