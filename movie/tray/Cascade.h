#pragma once

#include <QPointF>
#include <functional>

namespace tray {

// Where the n-th card since the last delete-all lies in the tray: 30 to the right and 4
// down per card, back to x = 10 and a further 40 down every 15 cards. The formula has no
// limit, so from about the 81st card on new cards start below the stage.
[[nodiscard]] QPointF cascadePosition(long long n);

// The front depth a pressed card takes.
inline constexpr int kFrontDepth = 655;

// The depth of the n-th card: n + 10, skipping the front depth, so the 645th card and
// every later one sit one higher (n + 11) and stay above all older cards. Should that
// depth be held anyway, the card goes to the lowest free depth above every held one, so a
// new card never replaces an existing clip. `taken` tells whether a depth is held;
// `highest` is the highest held depth.
[[nodiscard]] int cardDepth(int n, const std::function<bool(int)>& taken, int highest);

} // namespace tray
