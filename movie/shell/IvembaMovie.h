#pragma once

namespace player {
class MovieRegistry;
}

namespace shell {

// Makes the iVemba movie program known to a player, under the name its bundle gives.
void registerMovie(player::MovieRegistry& registry);

} // namespace shell
