#pragma once

#include "common/Settings.h"

#include <QSize>
#include <QString>

namespace player {
class Clip;
}

namespace moviecommon {

// Every photo the movie makes, shows, saves, prints or uploads has this size.
inline constexpr int kPhotoWidth = 240;
inline constexpr int kPhotoHeight = 180;
inline constexpr QSize kPhotoSize{kPhotoWidth, kPhotoHeight};

// The edition flag reads "ie" in the browser edition; any other value is the desktop one.
[[nodiscard]] bool isBrowserEdition(const player::Clip& anyClip);

// The settings of the player `anyClip` plays in (the maker's site among them); a clip on no
// stage yet gets what the environment said when the first such clip asked.
[[nodiscard]] const common::Settings& settingsOf(const player::Clip& anyClip);

// The capture page's counter text for `count` photos.
[[nodiscard]] QString captureCountText(int count);
[[nodiscard]] QString captureCountText(const QString& count);

} // namespace moviecommon
