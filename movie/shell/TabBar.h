#pragma once

namespace player {
class Clip;
}

namespace shell {

// Places `title_mc`, the tab bar of the three pages. It has a state per page, each a frame
// it stops on: 1 ("capture"), 10 ("manage") and 20 ("photo"). In each state the current
// tab lies on the highlight as plain text; the other two are buttons calling `Shiftpage`.
void placeTabBar(player::Clip& root);

} // namespace shell
