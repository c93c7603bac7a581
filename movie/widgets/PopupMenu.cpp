#include "movie/widgets/PopupMenu.h"

#include "player/Stage.h"
#include "player/TextField.h"

#include <QGraphicsView>
#include <QMenu>

namespace widgets {

PopupMenu::PopupMenu(player::Stage& stage, QList<Item> items, QObject* parent)
    : QObject(parent), m_stage(stage), m_items(std::move(items)), m_menu(new QMenu) {
    m_menu->setFont(player::movieFont(13));
    for (int i = 0; i < m_items.size(); ++i)
        connect(m_menu->addAction(m_items[i].label), &QAction::triggered, this,
                [this, i] { choose(i); });
    setRowHeight(m_rowHeight);
}

PopupMenu::~PopupMenu() {
    delete m_menu;
}

void PopupMenu::setRowHeight(int pixels) {
    m_rowHeight = pixels;
    m_menu->setStyleSheet(QStringLiteral("QMenu::item { min-height: %1px; padding: 0 18px; }")
                              .arg(qMax(pixels - 6, 8)));
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
