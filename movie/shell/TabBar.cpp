#include "movie/shell/TabBar.h"

#include "movie/common/MovieNames.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <memory>

namespace shell {

using player::Clip;
using player::TextField;

namespace {

constexpr qreal kTabWidth = 120;
constexpr qreal kTabHeight = 30;

struct Tab {
    const char* name;  // instance name of the tab
    const char* label; // the spaces belong to the label
    const char* page;  // argument of Shiftpage
    int frame;         // the bar's frame while this page is current
};

constexpr std::array<Tab, 3> kTabs{{
    {"capture_tab", QT_TRANSLATE_NOOP("shell", "拍   摄"), "capture", 1},
    {"photo_tab", QT_TRANSLATE_NOOP("shell", "合  成"), "photo", 20},
    {"manage_tab", QT_TRANSLATE_NOOP("shell", "整  理"), "manage", 10},
}};

TextField::Style labelStyle(bool current) {
    TextField::Style style;
    style.pixelSize = 15;
    style.bold = true;
    style.color = current ? QColor(0x2f, 0x74, 0xc8) : Qt::white;
    style.align = Qt::AlignCenter;
    return style;
}

// The faint glow behind a tab under the pointer.
void paintTabFace(Clip& tab, bool lit) {
    tab.setContent(QRectF(0, 0, kTabWidth, kTabHeight), [lit](QPainter& p) {
        if (!lit)
            return;
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath face;
        face.addRoundedRect(QRectF(3.5, 3.5, kTabWidth - 7, kTabHeight - 4), 6, 6);
        p.fillPath(face, QColor(255, 255, 255, 46));
    });
}

void showCurrent(Clip& bar, Clip& root, std::size_t current) {
    if (Clip* highlight = bar.child(QStringLiteral("highlight_mc")))
        highlight->setX(kTabWidth * static_cast<qreal>(current));
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
        Clip* tab = bar.child(QLatin1String(kTabs[i].name));
        if (!tab)
            continue;
        auto* label = dynamic_cast<TextField*>(tab->child(QStringLiteral("label_txt")));
        const bool isCurrent = i == current;
        if (label)
            label->setStyle(labelStyle(isCurrent));
        paintTabFace(*tab, false);
        if (isCurrent) {
            // The current tab is plain text: pressing it does nothing.
            tab->setLook({});
            tab->onPress({});
            tab->onRelease({});
            tab->onReleaseOutside({});
            tab->onRollOver({});
            tab->onRollOut({});
            continue;
        }
        Clip* r = &root;
        const QString page = QLatin1String(kTabs[i].page);
        tab->setLook(
            [tab](Clip::ButtonState state) { paintTabFace(*tab, state != Clip::ButtonState::Up); });
        tab->onRelease([r, page] { r->call(moviecommon::calls::Shiftpage, {page}); });
    }
}

} // namespace

void placeTabBar(Clip& root) {
    Clip* bar = root.createEmptyMovieClip(moviecommon::clips::title_mc, 108);
    bar->setPos(53, 5);
    Clip* highlight = bar->createEmptyMovieClip(QStringLiteral("highlight_mc"), 1);
    if (player::Stage* stage = root.stage())
        highlight->setImage(stage->image(QStringLiteral("art/tab_highlight.png")));
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
        Clip* tab = bar->createEmptyMovieClip(QLatin1String(kTabs[i].name), 2 + int(i));
        tab->setX(kTabWidth * static_cast<qreal>(i));
        auto* label = tab->adopt(
            new TextField(QStringLiteral("label_txt"), {kTabWidth, kTabHeight}, labelStyle(false)),
            1);
        label->setText(QCoreApplication::translate("shell", kTabs[i].label));
    }
    player::Timeline& timeline = bar->timeline();
    timeline.setTotalFrames(20);
    Clip* r = &root;
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
        timeline.setLabel(QLatin1String(kTabs[i].page), kTabs[i].frame);
        timeline.setScript(kTabs[i].frame, [bar, r, i] {
            bar->stop();
            showCurrent(*bar, *r, i);
        });
    }
    bar->gotoAndStop(1);
}

} // namespace shell
