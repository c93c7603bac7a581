#include "player/loaders/PictureDecoder.h"

#include <QBuffer>
#include <QImageReader>

namespace loaders {

DecodedPicture decodePicture(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kPictureAllocationLimitMb);
    DecodedPicture result;
    result.image = reader.read();
    if (result.image.isNull()) {
        result.error = reader.errorString();
        return result;
    }
    if (result.image.format() != QImage::Format_ARGB32_Premultiplied)
        result.image = result.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return result;
}

} // namespace loaders
