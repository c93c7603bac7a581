#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class QMenu;

namespace player {
class Stage;
}

namespace widgets {

// A popup menu of labelled items. Each item carries an id; `onChange` receives the chosen
// item's index. Shown at a stage position, it closes on a choice or a click elsewhere.
class PopupMenu : public QObject {
    Q_OBJECT
public:
    struct Item {
        QString label;
        QVariant id;
    };

    PopupMenu(player::Stage& stage, QList<Item> items, QObject* parent = nullptr);
    ~PopupMenu() override;

    void setRowHeight(int pixels);
    [[nodiscard]] int rowHeight() const { return m_rowHeight; }
    [[nodiscard]] const QList<Item>& items() const { return m_items; }
    void onChange(std::function<void(int index)> handler) { m_onChange = std::move(handler); }
    void show(QPointF stagePos);
    // What a click on an item does; tests call it directly.
    void choose(int index);
    [[nodiscard]] QMenu* menu() const { return m_menu.get(); }

private:
    player::Stage& m_stage;
    QList<Item> m_items;
    // A top-level popup, so no parent owns it: this does.
    std::unique_ptr<QMenu> m_menu;
    int m_rowHeight = 22;
    std::function<void(int)> m_onChange;
};

} // namespace widgets
