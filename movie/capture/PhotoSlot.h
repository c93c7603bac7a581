#pragma once

#include <QSize>
#include <QString>

namespace player {
class Stage;
}

namespace capture {

// The library symbol of one picture slot; the panel attaches it twice.
inline const QString kPhotoSlotSymbol = QStringLiteral("local_photo_slot");

// The browser edition refuses a file of this size or more before uploading it.
inline constexpr qint64 kLargestPictureUpload = 600 * 1024;
// The thumbnail fills the slot's picture area whatever the picture's proportions.
inline constexpr QSize kThumbnailSize{81, 61};
// What the browser edition's file browser offers.
inline const QString kPictureTypeDescription =
    QStringLiteral("Images (*.jpg, *.jpeg, *.gif, *.png)");
inline const QString kPictureTypePatterns = QStringLiteral("*.jpg; *.jpeg; *.gif; *.png");

// The name a picture gets on the site while it makes its round trip: the time in
// milliseconds, "_", and the chosen file's name from its last "." on (all of it when it has
// no dot), left out when that is not a plain word of letters and digits the site takes.
[[nodiscard]] QString uploadName(const QString& fileName, qint64 msSinceEpoch);

// The file browser's filter for a type list of one entry: the description as the user sees
// it, and the patterns in the form the dialog reads.
[[nodiscard]] QString pictureFilter();

// Registers the slot symbol: the frame, `sub_photo_mc`, `Load_Prec`, the buttons "删除",
// "选择" and "选择图片", the variables `filename` and `myBitMap`, `OnSelectFiledOK(path)`,
// its loader and, in the browser edition, its file reference.
void definePhotoSlot(player::Stage& stage);

} // namespace capture
