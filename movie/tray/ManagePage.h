#pragma once

namespace player {
class Stage;
}

namespace tray {

// Defines the library symbols "manage_page" (the tray page `manage_mc`) and "Photo_model"
// (a photo card).
void defineSymbols(player::Stage& stage);

} // namespace tray
