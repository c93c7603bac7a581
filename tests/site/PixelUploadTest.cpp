#include "site/PixelUpload.h"

#include "lzw/Lzw.h"
#include "support/SiteFixture.h"

#include <gtest/gtest.h>

using site::Picture;
using site::PixelUpload;

namespace {

std::string utf8Of(const std::u16string& text) {
    return sitetest::utf8(text);
}

TEST(PixelUpload, DecodesTheMoviesPiecesColumnByColumn) {
    const Picture picture = sitetest::testPicture(3);
    const std::string text = PixelUpload::pixelText(picture);
    const auto decoded = PixelUpload::decode(utf8Of(PixelUpload::compressedText(text)));
    ASSERT_TRUE(decoded.ok()) << decoded.error();
    EXPECT_EQ(decoded.value().rgb, picture.rgb);

    // One value placed by hand: value k lies at x = k / 180, y = k % 180.
    std::string values;
    for (int k = 0; k < Picture::kValues; ++k)
        values += k == 181 ? "-16711680" : "-0";
    const auto one = PixelUpload::decode(utf8Of(PixelUpload::compressedText(values)));
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(one.value().pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(one.value().pixel(0, 1), 0u);
}

TEST(PixelUpload, AcceptsTheEmptyLastPieceOfAWholeNumberOfPieces) {
    // 32 800 values of two digits and 10 400 of three: with their dashes exactly 140 000
    // characters, so the movie sends 70 000, 69 999 and an empty third piece.
    std::string values;
    for (int k = 0; k < Picture::kValues; ++k)
        values += k < 10400 ? "-100" : "-10";
    ASSERT_EQ(values.size(), 140000u);
    const std::u16string text = PixelUpload::compressedText(values);
    ASSERT_EQ(text.back(), u'*');
    const auto decoded = PixelUpload::decode(utf8Of(text));
    ASSERT_TRUE(decoded.ok()) << decoded.error();
    EXPECT_EQ(decoded.value().pixel(0, 0), 100u);
}

} // namespace
