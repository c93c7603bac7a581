#include "player/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace player {

namespace {

// The format a picture's first bytes announce, for the formats the movie's own artwork and
// people's photos come in. Told the format, the reader goes straight to Qt's own PNG and BMP
// readers, or loads the one plugin for JPEG or GIF; left to guess, it loads and asks every
// image plugin on the machine first, which costs milliseconds on the way to the first frame.
QByteArray announcedFormat(const QByteArray& head) {
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith("BM"))
        return "bmp";
    return {};
}

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

// Reads with the announced format first; a picture that is not what its first bytes say
// (or says nothing) gets the reader's own guess over every format, as any picture did before.
DecodedPicture decode(QIODevice& device) {
    if (!device.isOpen())
        return {.image = {}, .error = device.errorString()};
    if (const QByteArray format = announcedFormat(device.peek(8)); !format.isEmpty()) {
        QImageReader reader(&device, format);
        reader.setAutoDetectImageFormat(false);
        if (DecodedPicture picture = readWith(reader); !picture.image.isNull())
            return picture;
        device.seek(0);
    }
    QImageReader reader(&device);
    return readWith(reader);
}

} // namespace

DecodedPicture decodePicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return decode(buffer);
}

DecodedPicture decodePictureFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return decode(file);
}

} // namespace player
