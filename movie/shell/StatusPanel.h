#pragma once

namespace player {
class Clip;
}

namespace shell {

// Places `Upload_Status_mc`, the movie's one-line status box, hidden. Its text is the clip's
// variable `text`; whoever shows the panel sets the text and the visibility.
void placeStatusPanel(player::Clip& root);

} // namespace shell
