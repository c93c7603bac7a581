#include "movie/output/PixelText.h"

#include <array>
#include <vector>

namespace output {

namespace {

// "00".."99": two digits per table look-up halves the divisions.
constexpr std::array<char, 200> makeDigitPairs() {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}
constexpr std::array<char, 200> kDigitPairs = makeDigitPairs();

int digitCount(quint32 v) {
    // Values are 24-bit colours, so at most eight digits.
    if (v < 10000)
        return v < 100 ? (v < 10 ? 1 : 2) : (v < 1000 ? 3 : 4);
    return v < 1000000 ? (v < 100000 ? 5 : 6) : (v < 10000000 ? 7 : 8);
}

// Writes "-" and the digits of v at `out`; returns the position after them.
char16_t* writeValue(char16_t* out, quint32 v) {
    *out++ = u'-';
    const int n = digitCount(v);
    char16_t* end = out + n;
    char16_t* at = end;
    while (v >= 100) {
        const quint32 pair = (v % 100) * 2;
        v /= 100;
        *--at = static_cast<char16_t>(kDigitPairs[pair + 1]);
        *--at = static_cast<char16_t>(kDigitPairs[pair]);
    }
    if (v >= 10) {
        *--at = static_cast<char16_t>(kDigitPairs[v * 2 + 1]);
        *--at = static_cast<char16_t>(kDigitPairs[v * 2]);
    } else {
        *--at = static_cast<char16_t>(u'0' + v);
    }
    return end;
}

} // namespace

QString pixelText(const QImage& picture) {
    if (picture.isNull())
        return {};
    const bool direct = picture.format() == QImage::Format_RGB32 ||
                        picture.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage image =
        direct ? picture : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    const int height = image.height();

    // Rows are read straight from the picture's memory; the loop walks them column-wise.
    std::vector<const QRgb*> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] = reinterpret_cast<const QRgb*>(image.constScanLine(y));

    QString text(static_cast<qsizetype>(width) * height * kMaxPixelChars, Qt::Uninitialized);
    auto* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            out = writeValue(out, rows[static_cast<size_t>(y)][x] & 0xFFFFFFu);
    }
    text.truncate(out - begin);
    return text;
}

} // namespace output
