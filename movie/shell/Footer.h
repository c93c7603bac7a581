#pragma once

namespace player {
class Clip;
}

namespace shell {

// The footer texts: the feedback link, the version and the link to the maker's site.
void placeFooter(player::Clip& root);

} // namespace shell
