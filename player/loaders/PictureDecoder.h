#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace loaders {

// A picture decoded from bytes, or the reason it could not be.
struct DecodedPicture {
    QImage image;
    QString error;
};

// Largest picture decoded, in megabytes of pixels: a forged header cannot make the player
// allocate more.
inline constexpr int kPictureAllocationLimitMb = 128;

// Decodes PNG, JPEG, GIF (first frame) and the other formats Qt reads, within the
// allocation limit. Safe to call on any thread.
[[nodiscard]] DecodedPicture decodePicture(const QByteArray& bytes);

} // namespace loaders
