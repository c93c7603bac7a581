#include "host/PixelText.h"

#include "host/Error.h"

namespace host {

namespace {

// A piece longer than this is shown cut short: a message box cannot show a megabyte.
constexpr qsizetype kShownPieceChars = 64;

QString shownPiece(QStringView piece) {
    if (piece.size() <= kShownPieceChars)
        return piece.toString();
    return piece.left(kShownPieceChars).toString() + QStringLiteral("…");
}

} // namespace

PixelText::Result PixelText::parse(QStringView text) {
    Result result;
    QImage picture(kWidth, kHeight, QImage::Format_RGB888);
    const common::Status<pixeltext::Fault> read =
        pixeltext::parse(std::u16string_view(text.utf16(), static_cast<size_t>(text.size())),
                         pixeltext::Rules::Lenient, picture.bits(), picture.bytesPerLine());
    if (read.ok()) {
        result.values = kValues;
        result.picture = std::move(picture);
        return result;
    }
    const pixeltext::Fault& fault = read.error();
    if (fault.kind == pixeltext::Fault::Kind::WrongCount) {
        result.values = static_cast<qsizetype>(fault.count);
        return result;
    }
    throw Error(QStringLiteral("'%1' is not a valid integer value")
                    .arg(shownPiece(QStringView(fault.piece.data(), fault.piece.size()))));
}

} // namespace host
