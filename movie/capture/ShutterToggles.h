#pragma once

#include <QString>

namespace player {
class Clip;
}

namespace capture {

// The shutter's two toggles beside it, under its hint: the self-timer (off, 3 s, 10 s) and
// the burst (1 or 4 photos a press). A click moves a toggle to its next value, which the
// player keeps for the next start.
void addShutterToggles(player::Clip& page);

// What the toggles show for a value.
[[nodiscard]] QString selfTimerLabel(int seconds);
[[nodiscard]] QString burstLabel(int photos);

} // namespace capture
