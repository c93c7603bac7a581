#include "lzw/Lzw.h"

#include <gtest/gtest.h>
#include <random>
#include <stdexcept>

namespace {

std::u16string units(std::initializer_list<int> codes) {
    std::u16string text;
    for (int c : codes)
        text.push_back(static_cast<char16_t>(c));
    return text;
}

std::u16string ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

// A pixel text of random colours, without its leading "-", as the upload's pieces are.
std::u16string randomPixelText(std::mt19937& random, int values, std::uint32_t maxValue) {
    std::uniform_int_distribution<std::uint32_t> colour(0, maxValue);
    std::string text;
    for (int i = 0; i < values; ++i) {
        if (i)
            text += '-';
        text += std::to_string(colour(random));
    }
    return ascii(text);
}

TEST(LzwCompress, WritesTheCodesOfTheKnownExamples) {
    EXPECT_EQ(lzw::compress(ascii("-1-1")), units({45, 49, 256}));
    EXPECT_EQ(lzw::compress(ascii("-1-1-1")), units({45, 49, 256, 256}));
    // "aaa": the second code names the phrase entered in the very same step.
    EXPECT_EQ(lzw::compress(ascii("aaa")), units({97, 256}));
    EXPECT_EQ(lzw::compress(u""), u"");
    EXPECT_EQ(lzw::compress(ascii("x")), units({120}));
}

TEST(LzwCompress, RefusesCharactersOutsideTheFirstDictionary) {
    EXPECT_THROW((void)lzw::compress(u"a\u0100b"), std::invalid_argument);
}

TEST(LzwRoundTrip, PixelTextsAndArbitraryBytesComeBackUnchanged) {
    std::mt19937 random(7);
    for (std::uint32_t maxValue : {0u, 1u, 255u, 0xFFFFFFu}) {
        const std::u16string text = randomPixelText(random, 9000, maxValue);
        const std::u16string packed = lzw::compress(text);
        EXPECT_LT(packed.size(), text.size());
        EXPECT_EQ(packed.find(u'*'), std::u16string::npos) << "the separator of pieces";
        EXPECT_EQ(lzw::decompress(packed), text) << maxValue;
    }
    std::uniform_int_distribution<int> byte(0, 255);
    for (int length : {1, 2, 3, 17, 1000, 50000}) {
        std::u16string text;
        for (int i = 0; i < length; ++i)
            text.push_back(static_cast<char16_t>(byte(random) % (length % 7 + 2)));
        EXPECT_EQ(lzw::decompress(lzw::compress(text)), text) << length;
    }
}

TEST(LzwRoundTrip, AWholeUploadPieceStaysOutOfTheSurrogateRange) {
    std::mt19937 random(3);
    std::u16string piece = randomPixelText(random, 20000, 0xFFFFFF).substr(0, 70000);
    const std::u16string packed = lzw::compress(piece);
    for (char16_t code : packed)
        ASSERT_LT(code, 0xD800);
    EXPECT_EQ(lzw::decompress(packed), piece);
}

TEST(LzwDecompress, ExpandsTheCodeNotYetInTheTable) {
    EXPECT_EQ(lzw::decompress(units({97, 256})), ascii("aaa"));
    EXPECT_EQ(lzw::decompress(units({97, 256, 257})), ascii("aaaaaa"));
    EXPECT_EQ(lzw::decompress(units({45, 49, 256, 258})), ascii("-1-1-1-"));
}

TEST(LzwDecompress, RefusesCodesItCannotKnow) {
    struct Case {
        const char* name;
        std::u16string codes;
        lzw::DecodeError error;
    } cases[] = {
        {"first code is a phrase", units({256}), lzw::DecodeError::FirstCodeNotSingle},
        {"first code far out", units({0xFFFF}), lzw::DecodeError::FirstCodeNotSingle},
        {"one past the next free code", units({97, 257}), lzw::DecodeError::CodeAboveDictionary},
        {"far past it, later", units({97, 98, 256, 300}), lzw::DecodeError::CodeAboveDictionary},
    };
    for (const Case& c : cases) {
        lzw::DecodeError error = lzw::DecodeError::None;
        EXPECT_FALSE(lzw::decompress(c.codes, SIZE_MAX, &error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_STRNE(lzw::describe(error), "") << c.name;
    }
}

TEST(LzwDecompress, StopsAtTheCallersLimit) {
    // Every code names the longest phrase so far: n codes expand to about n*n/2 characters.
    std::u16string codes = units({97});
    for (int code = 256; code < 256 + 3000; ++code)
        codes.push_back(static_cast<char16_t>(code));
    lzw::DecodeError error = lzw::DecodeError::None;
    EXPECT_FALSE(lzw::decompress(codes, 100000, &error));
    EXPECT_EQ(error, lzw::DecodeError::TooLong);
    const auto whole = lzw::decompress(codes);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->size(), 3001u * 3002u / 2u);
    EXPECT_TRUE(lzw::decompress(codes, whole->size()));
}

} // namespace
