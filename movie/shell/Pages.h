#pragma once

namespace player {
class Clip;
class Stage;
} // namespace player

namespace shell {

// Attaches the tray page `manage_mc` and the capture page `capture_mc` from their library
// symbols.
void attachPages(player::Stage& stage, player::Clip& root);

// Defines `Shiftpage`: "manage" shows the tray, "photo" the capture page in composite mode,
// anything else the capture page in camera mode. The tab bar follows.
void defineShiftpage(player::Clip& root);

// The capture page's counter text for the current `info_Capture_count`.
void showCaptureCount(player::Clip& root);

} // namespace shell
