#pragma once

#include <QImage>

// The product badge: a round camera lens with a smile, used for the About
// button and for the application icon. Drawn afresh at every size so the small
// icons stay crisp instead of being shrunk from a large one.
namespace artwork::badge {

[[nodiscard]] QImage draw(int size, bool glow = false);

} // namespace artwork::badge
