#pragma once

namespace player {
class Clip;
}

namespace output {

// Prints a photo card's picture `pic` as a bitmap through the player's printing: the
// photo alone, never the card's shadow, buttons or caption. Nothing is reported back.
void printPhoto(player::Clip& card);

} // namespace output
