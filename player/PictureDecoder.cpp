#include "player/PictureDecoder.h"

#include <QBuffer>
#include <QImageReader>

namespace player {

namespace {

DecodedPicture readWith(QImageReader& reader) {
    reader.setAllocationLimit(kPictureAllocationLimitMb);
    DecodedPicture result;
    result.image = reader.read();
    if (result.image.isNull()) {
        result.error = reader.errorString();
        return result;
    }
    if (result.image.format() != QImage::Format_ARGB32_Premultiplied)
        result.image = std::move(result.image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return result;
}

} // namespace

DecodedPicture decodePicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readWith(reader);
}

DecodedPicture decodePictureFile(const QString& path) {
    QImageReader reader(path);
    return readWith(reader);
}

} // namespace player
