#pragma once

namespace player {
class Clip;
}

namespace capture {

// The loading strip `Load_Prec` of the view, with its `SetValue(percent)`.
void buildLoadingStrip(player::Clip& view);

// The view's border loading, set up afresh at each camera detection: a new loader
// `mcLoader` (a load still running in the old one is dropped), `_CurrentId` 0, the view's
// `LoadBorder(id, address)` and `RemoveBorder()`, and the strip hidden.
void resetBorderLoader(player::Clip& view);

} // namespace capture
