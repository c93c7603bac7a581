#pragma once

#include <QString>

namespace player {
class Clip;
}

namespace capture {

// The class button before the class list exists: an alert saying so.
void attachClassButtonAlert(player::Clip& page);

// Defines the page's `InitClassMenu`: builds the border class menu from the root's
// `_PicClasses` (records with `name`, `path`, `pics`) and gives it to the class button.
void defineClassMenu(player::Clip& page);

} // namespace capture
