#pragma once

#include <QString>

namespace player {
class Stage;
}

namespace widgets {

// The movie's alert box: a titled message with one OK button. It does not block the
// movie, which keeps playing behind it.
void alert(player::Stage& stage, const QString& title, const QString& text);

} // namespace widgets
