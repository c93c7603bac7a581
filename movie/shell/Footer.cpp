#include "movie/shell/Footer.h"

#include "movie/common/SharedRules.h"
#include "movie/shell/RootConfig.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCoreApplication>
#include <QFontMetricsF>

namespace shell {

using player::Clip;
using player::TextField;

namespace {

const QColor kInk(0x1f, 0x3b, 0x5e);
const QColor kLink(0x2f, 0x74, 0xc8);
const QColor kLinkOver(0xff, 0x8a, 0x3d);
constexpr int kTextSize = 12;
constexpr qreal kLineHeight = 18;

TextField::Style footerStyle(QColor color) {
    TextField::Style style;
    style.pixelSize = kTextSize;
    style.color = color;
    style.align = Qt::AlignLeft | Qt::AlignVCenter;
    return style;
}

// A one-line text that opens `url` in a new browser window; it turns orange under the pointer.
void placeLink(Clip& root, int depth, QPointF pos, const QString& label, const QString& url) {
    const qreal width = QFontMetricsF(player::movieFont(kTextSize)).horizontalAdvance(label) + 4;
    Clip* link = root.createEmptyMovieClip(QString(), depth);
    link->setPos(pos);
    auto* text = link->adopt(new TextField(QString(), {width, kLineHeight}, footerStyle(kLink)), 1);
    text->setText(label);
    link->setLook([text](Clip::ButtonState state) {
        text->setStyle(footerStyle(state == Clip::ButtonState::Up ? kLink : kLinkOver));
    });
    Clip* l = link;
    link->onRelease([l, url] {
        if (player::Stage* stage = l->stage())
            stage->getURL(url, QStringLiteral("_blank"));
    });
}

} // namespace

void placeFooter(Clip& root) {
    const common::Settings& settings = moviecommon::settingsOf(root);
    placeLink(root, 106, {340, 574}, QCoreApplication::translate("shell", "|我发现Bug或有好建议|"),
              settings.siteUrl(QStringLiteral("/iVemba/bugs.asp")));

    Clip* version = root.createEmptyMovieClip(QString(), 126);
    version->setPos(18, 573);
    version->adopt(new TextField(QString(), {80, kLineHeight}, footerStyle(kInk)), 1)
        ->setText(QStringLiteral("Ver 1.0"));

    placeLink(root, 127, {661, 573}, siteHostName(settings), settings.siteUrl(QStringLiteral("/")));
}

} // namespace shell
