#pragma once

namespace player {
class Clip;
}

namespace shell {

// The clips other services fill: the compressor `Lwz` and the upload `Upload_mc` (both off
// the stage), the browser edition's save settings `Uploadsetting_mc`, and the unnamed
// advertisement loader at depth 159. Placed empty; each service builds inside its own.
void placeServiceClipsOfFrame1(player::Clip& root);
void placeServiceClipsOfFrame2(player::Clip& root);

} // namespace shell
