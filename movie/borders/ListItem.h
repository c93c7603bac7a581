#pragma once

#include <QString>

namespace player {
class Stage;
}

namespace borders {

inline const QString kItemSymbol = QStringLiteral("listView_item");

// The artwork of one item: its frame (with the shadow) and the size it is measured at.
inline const QString kItemArt = QStringLiteral("art/list_item.png");

// Registers "listView_item": one thumbnail in its frame with its number under it, a hover
// and press overlay, and a click that lays its border over the capture view. Initial
// variables `_x`, `_y` and `_visible` place it; a `pIndex` makes it show that picture at
// once.
void defineListItemSymbol(player::Stage& stage);

} // namespace borders
