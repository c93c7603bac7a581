#pragma once

#include <QString>

namespace player {
class Clip;
}

// The names the movie's pages use of each other: root and clip variables, functions clips
// define for each other, instance names, library symbols and clip target paths. A page that needs
// another page's clip asks for it here, so a renamed clip is one edit and a missing one is traced,
// never dereferenced.
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
inline const QString PicClasses = QStringLiteral("_PicClasses");
inline const QString PicClassesInfoLoaded = QStringLiteral("_PicClassesInfoLoaded");
inline const QString PhotoType = QStringLiteral("PhotoType");
inline const QString MenuItems = QStringLiteral("MenuItems");
inline const QString cam_array = QStringLiteral("cam_array");
inline const QString cam_info = QStringLiteral("cam_info");
inline const QString ScaleRating = QStringLiteral("ScaleRating");
inline const QString classname = QStringLiteral("classname");
inline const QString pIndex = QStringLiteral("pIndex");
inline const QString SaveBmp = QStringLiteral("SaveBmp");
} // namespace vars

namespace paths {
inline const QString capture = QStringLiteral("/capture_mc");
inline const QString captureView = QStringLiteral("/capture_mc/dv");
inline const QString tray = QStringLiteral("/manage_mc");
inline const QString statusPanel = QStringLiteral("/Upload_Status_mc");
inline const QString photoSlots = QStringLiteral("/capture_mc/local_photo_previews_mc");
inline const QString upload = QStringLiteral("/Upload_mc");
inline const QString uploadSettings = QStringLiteral("/Uploadsetting_mc");
} // namespace paths

// Functions a clip defines for other pages to call.
namespace calls {
inline const QString Shiftpage = QStringLiteral("Shiftpage");
inline const QString SetValue = QStringLiteral("SetValue");
inline const QString SelectThisPhoto = QStringLiteral("SelectThisPhoto");
inline const QString OnClassInfoLoad = QStringLiteral("OnClassInfoLoad");
inline const QString setFrom = QStringLiteral("setFrom");
inline const QString reloadBorder = QStringLiteral("reloadBorder");
inline const QString getSubPicUrl = QStringLiteral("getSubPicUrl");
inline const QString getPicUrl = QStringLiteral("getPicUrl");
inline const QString getPhotoType = QStringLiteral("getPhotoType");
inline const QString compress = QStringLiteral("compress");
inline const QString isUploading = QStringLiteral("isUploading");
inline const QString UploadPic = QStringLiteral("UploadPic");
inline const QString Update = QStringLiteral("Update");
inline const QString SetScale2 = QStringLiteral("SetScale2");
inline const QString SavePhoto = QStringLiteral("SavePhoto");
inline const QString RemoveBorder = QStringLiteral("RemoveBorder");
inline const QString OnNewBorderPublish = QStringLiteral("OnNewBorderPublish");
inline const QString NewPhoto = QStringLiteral("NewPhoto");
inline const QString LoadClass = QStringLiteral("LoadClass");
inline const QString LoadBorder = QStringLiteral("LoadBorder");
inline const QString InitClassMenu = QStringLiteral("InitClassMenu");
inline const QString GetButtonHint = QStringLiteral("GetButtonHint");
inline const QString CaptureDo = QStringLiteral("CaptureDo");
} // namespace calls

// Instance names of clips that another page looks up.
namespace clips {
inline const QString capture_mc = QStringLiteral("capture_mc");
inline const QString manage_mc = QStringLiteral("manage_mc");
inline const QString title_mc = QStringLiteral("title_mc");
inline const QString Upload_mc = QStringLiteral("Upload_mc");
inline const QString Uploadsetting_mc = QStringLiteral("Uploadsetting_mc");
inline const QString upload_hintMsg_mc = QStringLiteral("upload_hintMsg_mc");
inline const QString listiview_form_mc = QStringLiteral("listiview_form_mc");
inline const QString button_clessselect = QStringLiteral("button_clessselect");
inline const QString Load_Prec = QStringLiteral("Load_Prec");
inline const QString fromphoto_info_txt = QStringLiteral("fromphoto_info_txt");
inline const QString ScaleRating_field = QStringLiteral("ScaleRating_field");
inline const QString dv = QStringLiteral("dv");
} // namespace clips

// Library symbols one page attaches from another's definitions.
namespace symbols {
inline const QString manage_page = QStringLiteral("manage_page");
inline const QString capture_page = QStringLiteral("capture_page");
inline const QString local_photo_previews = QStringLiteral("local_photo_previews");
inline const QString Photo_model = QStringLiteral("Photo_model");
} // namespace symbols

// The values of SetIdeType: which edition is playing.
namespace editions {
inline const QString desktop = QStringLiteral("soft");
inline const QString browser = QStringLiteral("ie");
} // namespace editions

// Where the capture page takes its picture from (setFrom's argument).
namespace sources {
inline const QString camera = QStringLiteral("cam");
inline const QString photo = QStringLiteral("photo");
} // namespace sources

// The clip at `path` from the root of `anyClip`'s stage, or nullptr with a trace line
// naming `who` wanted it.
[[nodiscard]] player::Clip* findClip(const player::Clip& anyClip, const QString& path,
                                     const QString& who);

} // namespace moviecommon
