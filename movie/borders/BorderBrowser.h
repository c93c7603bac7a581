#pragma once

#include <QString>

namespace player {
class Stage;
}

namespace borders {

inline const QString kBrowserSymbol = QStringLiteral("listiview_form");
// Where the browser edition reads its class list, below the site base.
inline const QString kSiteClassList = QStringLiteral("/iVemba/tclass.xml");
// Where every other case reads it, below the movie's folder.
inline const QString kLocalClassList = QStringLiteral("borders/borders.xml");

// Registers the border browser "listiview_form" (an 8-frame clip: the loading panel and
// its status text, the class list load on frame 7, the grid `ListView` on frame 8) and the
// grid's own symbols.
void defineSymbols(player::Stage& stage);

} // namespace borders
