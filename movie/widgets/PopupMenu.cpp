#include "movie/widgets/PopupMenu.h"

#include "player/Stage.h"
#include "player/TextField.h"

#include <QGraphicsView>
#include <QMenu>

namespace widgets {

PopupMenu::PopupMenu(player::Stage& stage, QList<Item> items, QObject* parent)
    : QObject(parent), m_stage(stage), m_items(std::move(items)),
      m_menu(std::make_unique<QMenu>()) {
    m_menu->setFont(player::movieFont(13));
    for (int i = 0; i < m_items.size(); ++i) {
        // A menu reads "&" as the mark of a shortcut; a label shows every character it has.
        QString shown = m_items[i].label;
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        connect(m_menu->addAction(shown), &QAction::triggered, this, [this, i] { choose(i); });
    }
    setRowHeight(m_rowHeight);
}

PopupMenu::~PopupMenu() = default;

void PopupMenu::setRowHeight(int pixels) {
    m_rowHeight = pixels;
    // The whole row, text and padding together, is `pixels` high.
    m_menu->setStyleSheet(
        QStringLiteral("QMenu::item { height: %1px; padding: 0 18px; margin: 0; border: 0; }")
            .arg(qMax(pixels, 8)));
}

void PopupMenu::show(QPointF stagePos) {
    if (m_stage.views().isEmpty())
        return;
    QGraphicsView* view = m_stage.views().constFirst();
    m_menu->popup(view->viewport()->mapToGlobal(view->mapFromScene(stagePos)));
}

void PopupMenu::choose(int index) {
    if (index < 0 || index >= m_items.size())
        return;
    m_menu->hide();
    if (m_onChange)
        m_onChange(index);
}

} // namespace widgets
