#include "pixeltext/PixelText.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using pixeltext::Rules;

// A picture of random colours over every digit count, as rows of 32-bit pixels with junk in
// the top byte, which is not part of a value.
std::vector<std::uint32_t> randomPixels(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint32_t> pixels(pixeltext::kValues);
    for (std::uint32_t& pixel : pixels) {
        const std::uint32_t bits = random() % 25;
        pixel = (random() & 0xFF000000u) | (random() & ((1u << bits) - 1));
    }
    return pixels;
}

std::u16string written(const std::vector<std::uint32_t>& pixels) {
    std::vector<const std::uint32_t*> rows;
    for (int y = 0; y < pixeltext::kHeight; ++y)
        rows.push_back(pixels.data() + y * pixeltext::kWidth);
    std::u16string text(pixeltext::kMaxTextChars, u'?');
    const char16_t* end =
        pixeltext::writeColumns(rows.data(), pixeltext::kWidth, pixeltext::kHeight, text.data());
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

class RoundTrip : public ::testing::TestWithParam<Rules> {};

TEST_P(RoundTrip, WhatIsWrittenReadsBackIntoAPaddedPicture) {
    const std::vector<std::uint32_t> pixels = randomPixels(11);
    std::u16string text = written(pixels);
    if (GetParam() == Rules::Strict)
        text.erase(0, 1); // the site's pieces start after the leading "-"
    // Rows further apart than the pixels need: the reader must keep to the stride.
    constexpr std::ptrdiff_t kStride = pixeltext::kWidth * 3 + 5;
    std::vector<std::uint8_t> rgb(kStride * pixeltext::kHeight, 0xAA);
    ASSERT_TRUE(pixeltext::parse(text, GetParam(), rgb.data(), kStride).ok());
    for (int y = 0; y < pixeltext::kHeight; ++y) {
        for (int x = 0; x < pixeltext::kWidth; ++x) {
            const std::uint8_t* px = &rgb[y * kStride + x * 3];
            const std::uint32_t colour = (px[0] << 16) | (px[1] << 8) | px[2];
            ASSERT_EQ(colour, pixels[y * pixeltext::kWidth + x] & 0xFFFFFFu) << x << "," << y;
        }
        EXPECT_EQ(rgb[y * kStride + kStride - 1], 0xAA) << "padding of row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, RoundTrip, ::testing::Values(Rules::Lenient, Rules::Strict),
                         [](const auto& info) {
                             return info.param == Rules::Lenient ? "Lenient" : "Strict";
                         });

// `count` values of "5" joined by "-", with `bad` in place of value `at` (from 1).
std::u16string values(int count, int at = 0, std::u16string_view bad = {}) {
    std::u16string text;
    for (int k = 1; k <= count; ++k) {
        if (k > 1)
            text += u'-';
        text += k == at ? std::u16string(bad) : u"5";
    }
    return text;
}

struct FaultCase {
    const char* name;
    std::u16string text;
    std::string strict;  // the site's reason
    std::string lenient; // the host's view: the same fault, or "count N", or "" when read
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

std::string lenientView(const std::u16string& text) {
    std::vector<std::uint8_t> rgb(pixeltext::kValues * 3);
    const auto read = pixeltext::parse(text, Rules::Lenient, rgb.data(), pixeltext::kWidth * 3);
    if (read.ok())
        return "";
    if (read.error().kind == pixeltext::Fault::Kind::WrongCount)
        return "count " + std::to_string(read.error().count);
    return pixeltext::describe(read.error()) + " '" +
           std::string(read.error().piece.begin(), read.error().piece.end()) + "'";
}

class Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Faults, AreNamedUnderEitherRules) {
    std::vector<std::uint8_t> rgb(pixeltext::kValues * 3);
    const auto strict =
        pixeltext::parse(GetParam().text, Rules::Strict, rgb.data(), pixeltext::kWidth * 3);
    ASSERT_FALSE(strict.ok());
    EXPECT_EQ(pixeltext::describe(strict.error()), GetParam().strict);
    EXPECT_EQ(lenientView(GetParam().text), GetParam().lenient);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Faults,
    ::testing::Values(
        FaultCase{"OneShort", values(43199), "43199 values instead of 43200", "count 43199"},
        FaultCase{"OneOver", values(43201), "more than 43200 values", "count 43201"},
        FaultCase{"Empty", u"", "value 1 is empty", "count 0"},
        FaultCase{"LeadingDash", u"-" + values(43200), "value 1 is empty", ""},
        FaultCase{"DoubleDash", values(43200, 7, u"-5"), "value 7 is empty", ""},
        FaultCase{"AboveRange", values(43200, 3, u"16777216"), "value 3 is above 0xFFFFFF", ""},
        FaultCase{"NineDigits", values(43200, 3, u"000000001"), "value 3 is above 0xFFFFFF", ""},
        FaultCase{"Letters", values(43200, 501, u"1a"), "value 501 is not a number",
                  "value 501 is not a number '1a'"},
        FaultCase{"Space", values(43200, 2, u" 5"), "value 2 is not a number", ""},
        // The strict reader stops at the first fault; the lenient one counts first.
        FaultCase{"LettersInAShortText", values(43199, 4, u"x"), "value 4 is not a number",
                  "count 43199"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
