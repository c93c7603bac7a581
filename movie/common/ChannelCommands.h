#pragma once

#include <QStringView>

// The commands the movie raises over the player's channel, spelled once for the movie that
// raises them and the host that answers them.
namespace channel {

inline constexpr QStringView kInited = u"iVembaInited";
inline constexpr QStringView kSavePhotoStart = u"savephoto_pro";
inline constexpr QStringView kSavePhoto = u"savephoto";
inline constexpr QStringView kMoveWindow = u"ReleaseCapture";
inline constexpr QStringView kQuitProgram = u"quitProgram";
inline constexpr QStringView kSetBordersInfo = u"SetBordersinfo";
inline constexpr QStringView kDownloadNewBorder = u"downloadnewborder";
inline constexpr QStringView kWhoAreYou = u"whoareyou";
inline constexpr QStringView kNewVersion = u"newversion";
inline constexpr QStringView kAbout = u"ivembaabout";
inline constexpr QStringView kMinimise = u"miniapp";
inline constexpr QStringView kRequestHelp = u"requesthelp";
inline constexpr QStringView kSelectPictureFile = u"onSelectPicFile";

} // namespace channel
