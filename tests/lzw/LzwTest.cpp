#include "lzw/Lzw.h"

#include <gtest/gtest.h>
#include <random>

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

// The codes of a text that must compress.
std::u16string packed(std::u16string_view text) {
    return lzw::compress(text).value();
}

TEST(LzwCompress, WritesTheCodesOfTheKnownExamples) {
    EXPECT_EQ(packed(ascii("-1-1")), units({45, 49, 256}));
    EXPECT_EQ(packed(ascii("-1-1-1")), units({45, 49, 256, 256}));
    // "aaa": the second code names the phrase entered in the very same step.
    EXPECT_EQ(packed(ascii("aaa")), units({97, 256}));
    EXPECT_EQ(packed(u""), u"");
    EXPECT_EQ(packed(ascii("x")), units({120}));
}

TEST(LzwCompress, RefusesCharactersOutsideTheFirstDictionary) {
    const auto refused = lzw::compress(u"a\u0100b");
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(), "only characters below 256 can be compressed");
}

TEST(LzwRoundTrip, PixelTextsAndArbitraryBytesComeBackUnchanged) {
    std::mt19937 random(7);
    for (std::uint32_t maxValue : {0u, 1u, 255u, 0xFFFFFFu}) {
        const std::u16string text = randomPixelText(random, 9000, maxValue);
        const std::u16string codes = packed(text);
        EXPECT_LT(codes.size(), text.size());
        EXPECT_EQ(codes.find(u'*'), std::u16string::npos) << "the separator of pieces";
        EXPECT_EQ(lzw::decompress(codes).value(), text) << maxValue;
    }
    std::uniform_int_distribution<int> byte(0, 255);
    for (int length : {1, 2, 3, 17, 1000, 50000}) {
        std::u16string text;
        for (int i = 0; i < length; ++i)
            text.push_back(static_cast<char16_t>(byte(random) % (length % 7 + 2)));
        EXPECT_EQ(lzw::decompress(packed(text)).value(), text) << length;
    }
}

TEST(LzwRoundTrip, AWholeUploadPieceStaysOutOfTheSurrogateRange) {
    std::mt19937 random(3);
    std::u16string piece = randomPixelText(random, 20000, 0xFFFFFF).substr(0, 70000);
    const std::u16string codes = packed(piece);
    for (char16_t code : codes)
        ASSERT_LT(code, 0xD800);
    EXPECT_EQ(lzw::decompress(codes).value(), piece);
}

TEST(LzwDecompress, ExpandsTheCodeNotYetInTheTable) {
    EXPECT_EQ(lzw::decompress(units({97, 256})).value(), ascii("aaa"));
    EXPECT_EQ(lzw::decompress(units({97, 256, 257})).value(), ascii("aaaaaa"));
    EXPECT_EQ(lzw::decompress(units({45, 49, 256, 258})).value(), ascii("-1-1-1-"));
}

const std::string kFirstCodeNotSingle = "the first code is not a single character";
const std::string kCodeAboveDictionary = "a code is above the dictionary size";

TEST(LzwDecompress, RefusesCodesItCannotKnow) {
    struct Case {
        const char* name;
        std::u16string codes;
        std::string error;
    } cases[] = {
        {"first code is a phrase", units({256}), kFirstCodeNotSingle},
        {"first code far out", units({0xFFFF}), kFirstCodeNotSingle},
        {"one past the next free code", units({97, 257}), kCodeAboveDictionary},
        {"far past it, later", units({97, 98, 256, 300}), kCodeAboveDictionary},
    };
    for (const Case& c : cases) {
        const auto expanded = lzw::decompress(c.codes, SIZE_MAX);
        EXPECT_FALSE(expanded) << c.name;
        EXPECT_EQ(expanded.error(), c.error) << c.name;
    }
}

TEST(LzwDecompress, StopsAtTheCallersLimit) {
    // Every code names the longest phrase so far: n codes expand to about n*n/2 characters.
    std::u16string codes = units({97});
    for (int code = 256; code < 256 + 3000; ++code)
        codes.push_back(static_cast<char16_t>(code));
    const auto cut = lzw::decompress(codes, 100000);
    EXPECT_FALSE(cut);
    EXPECT_EQ(cut.error(), "the text expands past its limit");
    const auto whole = lzw::decompress(codes);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->size(), 3001u * 3002u / 2u);
    EXPECT_TRUE(lzw::decompress(codes, whole->size()));
}

} // namespace
