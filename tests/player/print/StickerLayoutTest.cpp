#include "player/print/StickerLayout.h"

#include <gtest/gtest.h>

namespace {

using player::StickerLayout;
using player::StickerPage;

struct Row {
    const char* name;
    StickerPage page;
    StickerLayout layout;
    int columns;
    int rows;
    double width;    // of each sticker, mm
    QPointF firstAt; // the first sticker's corner, mm
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

const QRectF kA4(0, 0, 210, 297);
const QRectF kPhoto4x6(0, 0, 101.6, 152.4);
const QRectF kLetter(0, 0, 215.9, 279.4);

class StickerLayoutRows : public ::testing::TestWithParam<Row> {};

TEST_P(StickerLayoutRows, PlacesFourThreeStickersInACentredBlockInsideThePrintableArea) {
    const Row& row = GetParam();
    const StickerLayout::Sheet sheet = row.layout.arrange(row.page);
    ASSERT_EQ(sheet.columns, row.columns);
    ASSERT_EQ(sheet.rows, row.rows);
    ASSERT_EQ(sheet.stickers.size(), row.columns * row.rows);
    if (sheet.stickers.isEmpty()) {
        EXPECT_TRUE(sheet.cutLines.isEmpty());
        return;
    }
    constexpr double eps = 1e-9;
    EXPECT_NEAR(sheet.stickers.first().width(), row.width, 1e-3);
    EXPECT_NEAR(sheet.stickers.first().x(), row.firstAt.x(), 1e-3);
    EXPECT_NEAR(sheet.stickers.first().y(), row.firstAt.y(), 1e-3);
    const QRectF reach = sheet.area.adjusted(-eps, -eps, eps, eps);
    for (int i = 0; i < sheet.stickers.size(); ++i) {
        const QRectF& s = sheet.stickers.at(i);
        EXPECT_NEAR(s.height() * 4, s.width() * 3, 1e-9) << i;
        EXPECT_TRUE(row.page.printable.adjusted(-eps, -eps, eps, eps).contains(s)) << i;
        EXPECT_TRUE(reach.contains(s)) << i;
        // Row by row, a gutter apart.
        const int column = i % sheet.columns;
        const int line = i / sheet.columns;
        EXPECT_NEAR(s.x() - sheet.stickers.first().x(),
                    column * (s.width() + StickerLayout::kGutterMm), 1e-9);
        EXPECT_NEAR(s.y() - sheet.stickers.first().y(),
                    line * (s.height() + StickerLayout::kGutterMm), 1e-9);
    }
    for (const QLineF& cut : sheet.cutLines) {
        EXPECT_TRUE(reach.contains(cut.p1()));
        EXPECT_TRUE(reach.contains(cut.p2()));
    }
    EXPECT_EQ(sheet.cutLines.size(), sheet.columns + 1 + sheet.rows + 1);
    // The block is centred in the area.
    const QRectF block = sheet.stickers.first().united(sheet.stickers.last());
    EXPECT_NEAR(block.center().x(), sheet.area.center().x(), 1e-9);
    EXPECT_NEAR(block.center().y(), sheet.area.center().y(), 1e-9);
}

// A printer that cannot reach the outer 3 mm, a US one with a quarter-inch edge.
INSTANTIATE_TEST_SUITE_P(
    Papers, StickerLayoutRows,
    ::testing::Values(
        Row{"A4_2x2", {kA4, kA4}, StickerLayout::grid(2, 2, 5), 2, 2, 97, {6.5, 74.25}},
        Row{"A4_3x3", {kA4, kA4}, StickerLayout::grid(3, 3, 5), 3, 3, 200.0 / 3 - 3, {6.5, 73.875}},
        Row{"A4_4x4", {kA4, kA4}, StickerLayout::grid(4, 4, 5), 4, 4, 47, {6.5, 73.5}},
        Row{"Photo4x6_2x2_printerEdge",
            {kPhoto4x6, kPhoto4x6.adjusted(3, 3, -3, -3)},
            StickerLayout::grid(2, 2, 0),
            2,
            2,
            44.8,
            {4.5, 41.1}},
        Row{"Photo4x6_4x4",
            {kPhoto4x6, kPhoto4x6},
            StickerLayout::grid(4, 4, 2),
            4,
            4,
            21.4,
            {3.5, 39.6}},
        Row{"Letter_3x3_printerEdge",
            {kLetter, kLetter.adjusted(6.35, 6.35, -6.35, -6.35)},
            StickerLayout::grid(3, 3, 5),
            3,
            3,
            203.2 / 3 - 3,
            {7.85, 63.875}},
        Row{"A4_asManyAsFit50mm", {kA4, kA4}, StickerLayout::byWidth(50, 5), 3, 7, 50, {27, 8.25}},
        Row{"Letter_asManyAsFit30mm",
            {kLetter, kLetter},
            StickerLayout::byWidth(30, 10),
            5,
            10,
            30,
            {26.95, 13.7}},
        Row{"A4_tooWideForThePaper", {kA4, kA4}, StickerLayout::byWidth(250, 5), 0, 0, 0, {}},
        Row{"Letter_marginsLeaveNothing",
            {kLetter, kLetter},
            StickerLayout::grid(2, 2, 120),
            0,
            0,
            0,
            {}}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

} // namespace
