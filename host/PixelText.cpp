#include "host/PixelText.h"

#include "host/Error.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace host {

namespace {

// A piece longer than this is shown cut short: a message box cannot show a megabyte.
constexpr qsizetype kShownPieceChars = 64;

// A whole 32-bit signed decimal integer with an optional sign, nothing else.
std::optional<std::int32_t> readInteger(QStringView piece) {
    qsizetype i = 0;
    bool negative = false;
    if (i < piece.size() && (piece[i] == u'+' || piece[i] == u'-')) {
        negative = piece[i] == u'-';
        ++i;
    }
    if (i == piece.size())
        return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (; i < piece.size(); ++i) {
        const char16_t c = piece[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

QString shownPiece(QStringView piece) {
    if (piece.size() <= kShownPieceChars)
        return piece.toString();
    return piece.left(kShownPieceChars).toString() + QStringLiteral("…");
}

} // namespace

PixelText::Result PixelText::parse(QStringView text) {
    Result result;
    QImage picture(kWidth, kHeight, QImage::Format_RGB888);
    uchar* const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    QStringView firstBad;
    bool bad = false;

    const QChar* p = text.data();
    const QChar* const end = p + text.size();
    qsizetype count = 0;
    bool inQuote = false;
    char16_t quote = 0;
    while (p != end && p->unicode() != 0) {
        // Leading spaces and line ends before a piece are skipped.
        while (p != end && (*p == u' ' || *p == u'\r' || *p == u'\n'))
            ++p;
        const QChar* head = p;
        for (; p != end; ++p) {
            const char16_t c = p->unicode();
            if (c == 0)
                break;
            if (c == u'\'' || c == u'"') {
                if (quote == 0)
                    quote = c;
                else if (quote == c)
                    quote = 0;
                inQuote = quote != 0;
                continue;
            }
            if (!inQuote && (c == u'-' || c == u'\r' || c == u'\n'))
                break;
        }
        if (p != head) {
            if (count < kValues) {
                const QStringView piece(head, p - head);
                if (const std::optional<std::int32_t> v = readInteger(piece)) {
                    // Bits above the lowest 24 are not part of the colour.
                    const auto rgb = static_cast<std::uint32_t>(*v);
                    const qsizetype x = count / kHeight;
                    const qsizetype y = count % kHeight;
                    uchar* px = bits + y * stride + x * 3;
                    px[0] = static_cast<uchar>(rgb >> 16);
                    px[1] = static_cast<uchar>(rgb >> 8);
                    px[2] = static_cast<uchar>(rgb);
                } else if (!bad) {
                    bad = true;
                    firstBad = piece;
                }
            }
            ++count;
        }
        if (p != end && p->unicode() != 0)
            ++p; // past the separator
    }

    result.values = count;
    if (count != kValues)
        return result;
    if (bad)
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(shownPiece(firstBad)));
    result.picture = std::move(picture);
    return result;
}

} // namespace host
