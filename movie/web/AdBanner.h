#pragma once

namespace player {
class Clip;
}

namespace web {

// Places the advertisement loader at depth 159: after ten empty frames it stops for good in
// the browser edition; in the desktop edition it loads the site's banner movie into its
// invisible placeholder `ad_mc`, which moves to the stage's corner and shows once the
// banner's first frame is ready. A banner that fails to load leaves nothing visible.
void placeAdLoader(player::Clip& root);

} // namespace web
