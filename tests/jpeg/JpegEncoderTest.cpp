#include "jpeg/JpegEncoder.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// The sampling factors of the first component, from the baseline frame header (SOF0).
int lumaSampling(const std::string& jpeg) {
    const std::size_t sof = jpeg.find("\xFF\xC0");
    return sof == std::string::npos ? -1 : static_cast<unsigned char>(jpeg[sof + 11]);
}

TEST(JpegEncoder, ChromaIsHalvedByDefaultAndFullWhenAsked) {
    std::vector<std::uint8_t> rgb(24 * 16 * 3, 0);
    for (std::size_t k = 0; k < rgb.size(); ++k)
        rgb[k] = static_cast<std::uint8_t>(k * 37);
    const std::string halved = jpeg::encodeRgb(rgb.data(), 24, 16, 24 * 3, 90);
    const std::string full = jpeg::encodeRgb(rgb.data(), 24, 16, 24 * 3, 90, jpeg::Chroma::Full);
    ASSERT_TRUE(halved.starts_with("\xFF\xD8\xFF"));
    ASSERT_TRUE(full.starts_with("\xFF\xD8\xFF"));
    EXPECT_EQ(lumaSampling(halved), 0x22);
    EXPECT_EQ(lumaSampling(full), 0x11);
}

TEST(JpegEncoder, TheLibrarysOwnReasonComesBack) {
    std::vector<std::uint8_t> row(70000 * 3, 128);
    try {
        (void)jpeg::encodeRgb(row.data(), 70000, 1, row.size(), 90);
        FAIL() << "a picture wider than JPEG allows was encoded";
    } catch (const jpeg::EncodeError& error) {
        EXPECT_NE(std::string(error.what()).find("65500"), std::string::npos) << error.what();
    }
    EXPECT_THROW((void)jpeg::encodeRgb(nullptr, 10, 10, 30, 90), jpeg::EncodeError);
}

} // namespace
