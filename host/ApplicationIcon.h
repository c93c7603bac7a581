#pragma once

#include <QIcon>

namespace host {

// The program's icon in every size the executable carries (16 to 256 pixels).
[[nodiscard]] QIcon applicationIcon();

} // namespace host
