#include "site/PixelUpload.h"

#include "lzw/Lzw.h"
#include "site/Utf.h"

namespace site {

namespace {

// The longest pixel text: 43 200 values of eight digits, each after a "-".
constexpr std::size_t kMaxPixelText = Picture::kValues * 9;

PixelUpload::Error error(std::string reason) {
    return PixelUpload::Error{std::move(reason)};
}

} // namespace

std::uint32_t Picture::pixel(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * kWidth + x) * 3;
    return (std::uint32_t{rgb[at]} << 16) | (std::uint32_t{rgb[at + 1]} << 8) | rgb[at + 2];
}

std::variant<Picture, PixelUpload::Error> PixelUpload::decode(std::string_view utf8Text) {
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
            lzw::DecodeError why = lzw::DecodeError::None;
            auto text = lzw::decompress(piece, kMaxPixelText - joined.size(), &why);
            if (!text)
                return error("piece " + std::to_string(pieceNumber) + ": " + lzw::describe(why));
            joined += *text;
        }
        if (last)
            break;
        start = star + 1;
    }

    Picture picture;
    picture.rgb.resize(Picture::kValues * 3);
    int index = 0;
    std::size_t at = 0;
    while (true) {
        if (index == Picture::kValues)
            return error("more than " + std::to_string(Picture::kValues) + " values");
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (at < joined.size() && joined[at] != u'-') {
            const char16_t c = joined[at];
            if (c < u'0' || c > u'9')
                return error("value " + std::to_string(index + 1) + " is not a number");
            if (++digits > 8)
                return error("value " + std::to_string(index + 1) + " is above 0xFFFFFF");
            value = value * 10 + (c - u'0');
            ++at;
        }
        if (digits == 0)
            return error("value " + std::to_string(index + 1) + " is empty");
        if (value > 0xFFFFFF)
            return error("value " + std::to_string(index + 1) + " is above 0xFFFFFF");
        const int x = index / Picture::kHeight;
        const int y = index % Picture::kHeight;
        std::uint8_t* out = &picture.rgb[(static_cast<std::size_t>(y) * Picture::kWidth + x) * 3];
        out[0] = static_cast<std::uint8_t>(value >> 16);
        out[1] = static_cast<std::uint8_t>(value >> 8);
        out[2] = static_cast<std::uint8_t>(value);
        ++index;
        if (at == joined.size())
            break;
        ++at; // the "-"
    }
    if (index != Picture::kValues)
        return error(std::to_string(index) + " values instead of " +
                     std::to_string(Picture::kValues));
    return picture;
}

std::string PixelUpload::pixelText(const Picture& picture) {
    std::string text;
    text.reserve(kMaxPixelText);
    for (int x = 0; x < Picture::kWidth; ++x)
        for (int y = 0; y < Picture::kHeight; ++y) {
            text.push_back('-');
            text += std::to_string(picture.pixel(x, y));
        }
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
            piece.push_back(static_cast<char16_t>(pixelText[i]));
        out.push_back(u'*');
        out += lzw::compress(piece);
    }
    return out;
}

} // namespace site
