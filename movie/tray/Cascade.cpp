#include "movie/tray/Cascade.h"

#include <algorithm>

namespace tray {

QPointF cascadePosition(long long n) {
    const long long step = n * 30;
    return {static_cast<qreal>(10 + step % 450),
            static_cast<qreal>(10 + (step / 450) * 40 + n * 4)};
}

int cardDepth(int n, const std::function<bool(int)>& taken, int highest) {
    int depth = n + 10 >= kFrontDepth ? n + 11 : n + 10;
    if (!taken(depth))
        return depth;
    depth = std::max(highest, 0) + 1;
    while (depth == kFrontDepth || taken(depth))
        ++depth;
    return depth;
}

} // namespace tray
