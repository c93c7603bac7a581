#include "movie/tray/Cascade.h"

#include <gtest/gtest.h>
#include <set>

namespace {

struct Place {
    int n;
    QPointF at;
};

void PrintTo(const Place& p, std::ostream* os) {
    *os << "card " << p.n;
}

class CascadeTest : public ::testing::TestWithParam<Place> {};

TEST_P(CascadeTest, CardLiesWhereTheCascadePutsIt) {
    EXPECT_EQ(tray::cascadePosition(GetParam().n), GetParam().at) << "card " << GetParam().n;
}

INSTANTIATE_TEST_SUITE_P(Rows, CascadeTest,
                         ::testing::Values(Place{1, {40, 14}}, Place{2, {70, 18}},
                                           Place{14, {430, 66}}, Place{15, {10, 110}},
                                           Place{16, {40, 114}}, Place{30, {10, 210}},
                                           Place{45, {10, 310}},
                                           // From the 81st card on the top edge (tray at 66)
                                           // is at or below the stage's bottom.
                                           Place{81, {190, 534}}, Place{645, {10, 4310}}));

struct DepthCase {
    const char* what;
    int n;
    std::set<int> held;
    int expected;
};

void PrintTo(const DepthCase& c, std::ostream* os) {
    *os << c.what;
}

class CardDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(CardDepthTest, NewCardNeverTakesAHeldDepth) {
    const DepthCase& c = GetParam();
    const int highest = c.held.empty() ? 0 : *c.held.rbegin();
    const int depth = tray::cardDepth(
        c.n, [&c](int d) { return c.held.count(d) != 0; }, highest);
    EXPECT_EQ(depth, c.expected) << c.what;
    EXPECT_EQ(c.held.count(depth), 0u) << c.what;
    EXPECT_NE(depth, tray::kFrontDepth) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, CardDepthTest,
    ::testing::Values(DepthCase{"first card", 1, {1, 3, 4}, 11},
                      DepthCase{"644th card", 644, {1, 3, 4, 653}, 654},
                      DepthCase{"645th skips the front depth", 645, {1, 3, 4, 654, 655}, 656},
                      DepthCase{"645th with a free front depth", 645, {1, 3, 4, 654}, 656},
                      DepthCase{"646th", 646, {655, 656}, 657},
                      DepthCase{"held depth goes above all", 3, {13, 20, 30}, 31},
                      DepthCase{"held depth below the front skips it", 3, {13, 654}, 656}));

} // namespace
