#pragma once

#include <QString>

namespace player {
class Stage;
}

namespace borders {

inline const QString kBrowserSymbol = QStringLiteral("listiview_form");
inline const QString kLoadingText = QStringLiteral("加载边框信息...");
inline const QString kParsingText = QStringLiteral("解析分类......");
inline const QString kLoadFailedText = QStringLiteral("加载边框失败，请确定网络连接！");
inline const QString kNoBordersText = QStringLiteral("暂时没有边框！");
// Where the browser edition reads its class list, below the site base.
inline const QString kSiteClassList = QStringLiteral("/iVemba/tclass.xml");
// Where every other case reads it, below the movie's folder.
inline const QString kLocalClassList = QStringLiteral("borders/borders.xml");

// Registers the border browser "listiview_form" (an 8-frame clip: the loading panel and
// its status text, the class list load on frame 7, the grid `ListView` on frame 8) and the
// grid's own symbols.
void defineSymbols(player::Stage& stage);

} // namespace borders
