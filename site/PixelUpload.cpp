#include "site/PixelUpload.h"

#include "lzw/Lzw.h"
#include "site/Utf.h"

namespace site {

namespace {

constexpr std::size_t kMaxPixelText = pixeltext::kMaxTextChars;

common::Failure<std::string> error(std::string reason) {
    return {std::move(reason)};
}

} // namespace

std::uint32_t Picture::pixel(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * kWidth + x) * 3;
    return (std::uint32_t{rgb[at]} << 16) | (std::uint32_t{rgb[at + 1]} << 8) | rgb[at + 2];
}

common::Result<Picture, std::string> PixelUpload::decode(std::string_view utf8Text) {
    const auto codes = utf8ToUtf16(utf8Text);
    if (!codes)
        return error("text is not valid UTF-8 of single UTF-16 units");
    if (codes->empty() || codes->front() != u'*')
        return error("text does not start with a piece");

    std::u16string joined;
    joined.reserve(kMaxPixelText);
    std::size_t start = 1;
    int pieceNumber = 0;
    while (true) {
        const std::size_t star = codes->find(u'*', start);
        const std::u16string_view piece = std::u16string_view(*codes).substr(
            start, star == std::u16string::npos ? std::u16string::npos : star - start);
        ++pieceNumber;
        const bool last = star == std::u16string::npos;
        if (piece.empty()) {
            // The movie sends an empty last piece exactly when its pixel text (with the
            // leading "-") is a whole number of pieces long; anywhere else it is a fault.
            if (!last || pieceNumber < 2 || (joined.size() + 1) % kPieceLength != 0)
                return error("piece " + std::to_string(pieceNumber) + " is empty");
        } else {
            const auto text = lzw::decompress(piece, kMaxPixelText - joined.size());
            if (!text)
                return error("piece " + std::to_string(pieceNumber) + ": " + text.error());
            joined += *text;
        }
        if (last)
            break;
        start = star + 1;
    }

    Picture picture;
    picture.rgb.resize(Picture::kValues * 3);
    if (const auto read = pixeltext::parse(joined, pixeltext::Rules::Strict, picture.rgb.data(),
                                           Picture::kWidth * 3);
        !read)
        return error(pixeltext::describe(read.error()));
    return picture;
}

std::string PixelUpload::pixelText(const Picture& picture) {
    std::string text;
    text.resize(kMaxPixelText);
    char* const begin = text.data();
    char* out = begin;
    for (int k = 0; k < Picture::kValues; ++k) {
        const pixeltext::Position at = pixeltext::position(k);
        out = pixeltext::writeValue(out, picture.pixel(at.x, at.y));
    }
    text.resize(static_cast<std::size_t>(out - begin));
    return text;
}

std::u16string PixelUpload::compressedText(const std::string& pixelText) {
    std::u16string out;
    const std::size_t length = pixelText.size();
    const std::size_t pieces = length / kPieceLength + 1;
    for (std::size_t k = 1; k <= pieces; ++k) {
        const std::size_t from = (k - 1) * kPieceLength + 1;
        std::u16string piece;
        for (std::size_t i = from; i < length && i <= k * kPieceLength; ++i)
            piece.push_back(static_cast<unsigned char>(pixelText[i]));
        const auto codes = lzw::compress(piece);
        if (!codes)
            return {}; // no upload rather than a part of one
        out.push_back(u'*');
        out += *codes;
    }
    return out;
}

} // namespace site
