#include "movie/output/PixelText.h"

#include "pixeltext/PixelText.h"

#include <vector>

namespace output {

QString pixelText(const QImage& picture) {
    if (picture.isNull())
        return {};
    const bool direct = picture.format() == QImage::Format_RGB32 ||
                        picture.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage image =
        direct ? picture : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    const int height = image.height();

    // Rows are read straight from the picture's memory; the writer walks them column-wise.
    std::vector<const std::uint32_t*> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] =
            reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));

    QString text(static_cast<qsizetype>(width) * height * pixeltext::kMaxValueChars,
                 Qt::Uninitialized);
    auto* const begin = reinterpret_cast<char16_t*>(text.data());
    const char16_t* const end = pixeltext::writeColumns(rows.data(), width, height, begin);
    text.truncate(end - begin);
    return text;
}

} // namespace output
