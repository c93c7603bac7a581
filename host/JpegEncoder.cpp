#include "host/JpegEncoder.h"

#include "host/Error.h"
#include "jpeg/JpegEncoder.h"

namespace host {

QByteArray encodeJpeg(const QImage& picture, int quality) {
    const QImage rgb = picture.format() == QImage::Format_RGB888
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB888);
    try {
        const std::string bytes =
            jpeg::encodeRgb(rgb.constBits(), rgb.width(), rgb.height(),
                            static_cast<std::size_t>(rgb.bytesPerLine()), quality);
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } catch (const jpeg::EncodeError& error) {
        throw Error(QString::fromLocal8Bit(error.what()));
    }
}

} // namespace host
