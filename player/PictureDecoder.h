#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace player {

// A picture decoded from bytes, or the reason it could not be.
struct DecodedPicture {
    QImage image;
    QString error;
};

// Largest picture the player decodes, in megabytes of pixels: enough for a 4000×3000
// photograph, while a forged header (a 30,000-pixel-square picture, a PNG bomb) cannot
// make the player allocate more.
inline constexpr int kPictureAllocationLimitMb = 128;

// Decodes PNG, JPEG, GIF (first frame) and the other formats Qt reads, within the
// allocation limit, into premultiplied ARGB. Safe to call on any thread.
[[nodiscard]] DecodedPicture decodePicture(const QByteArray& bytes);
// The same for a file on disc.
[[nodiscard]] DecodedPicture decodePictureFile(const QString& path);

} // namespace player
