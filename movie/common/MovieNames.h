#pragma once

#include <QString>

namespace player {
class Clip;
}

// The names the movie's pages use of each other: root variables, functions on the root
// and clip target paths. A page that needs another page's clip asks for it here, so a
// renamed clip is one edit and a missing one is traced, never dereferenced.
namespace moviecommon {

namespace vars {
inline const QString SetIdeType = QStringLiteral("SetIdeType");
inline const QString WebRoot = QStringLiteral("WebRoot");
inline const QString UploadTarget = QStringLiteral("UploadTarget");
inline const QString UploadPath = QStringLiteral("UploadPath");
inline const QString UploadFormOpen = QStringLiteral("UploadFormOpen");
inline const QString pVersion = QStringLiteral("pVersion");
inline const QString Path = QStringLiteral("Path");
inline const QString info_Capture_count = QStringLiteral("info_Capture_count");
inline const QString info_Capture_count_txt = QStringLiteral("info_Capture_count_txt");
inline const QString CpRecord = QStringLiteral("CpRecord");
inline const QString CaptingBmp = QStringLiteral("CaptingBmp");
inline const QString OnNewBorderPublished = QStringLiteral("OnNewBorderPublished");
inline const QString OnReloadBordered = QStringLiteral("OnReloadBordered");
inline const QString OnSelectFiledOK = QStringLiteral("OnSelectFiledOK");
} // namespace vars

namespace paths {
inline const QString capture = QStringLiteral("/capture_mc");
inline const QString captureView = QStringLiteral("/capture_mc/dv");
inline const QString tray = QStringLiteral("/manage_mc");
inline const QString statusPanel = QStringLiteral("/Upload_Status_mc");
inline const QString photoSlots = QStringLiteral("/capture_mc/local_photo_previews_mc");
} // namespace paths

// The clip at `path` from the root of `anyClip`'s stage, or nullptr with a trace line
// naming `who` wanted it.
[[nodiscard]] player::Clip* findClip(const player::Clip& anyClip, const QString& path,
                                     const QString& who);

} // namespace moviecommon
