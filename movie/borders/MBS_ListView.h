#pragma once

#include <QObject>
#include <QPointF>
#include <QStringList>

class QScrollBar;

namespace player {
class Clip;
class Stage;
} // namespace player

namespace borders {

inline const QString kListViewSymbol = QStringLiteral("MBS_ListView");

// The grid of border thumbnails. A fixed pool of `_Rows` × `_Cols` item clips is built on
// the first load and recycled: picture index i always lives in pool slot i mod the pool
// size, so scrolling moves items and reloads a thumbnail only when an item takes on
// another index. Its fields are variables of its clip, where the browser's scripts read
// them; this object holds the methods and the scroll bar.
class MBS_ListView : public QObject {
    Q_OBJECT
public:
    // The first column's left edge inside the list area.
    static constexpr qreal kLeftMargin = 8;
    // The scroll bar's page and range, in percent of the height of all rows.
    static constexpr int kPageSize = 30;
    static constexpr int kMinPos = 0;
    static constexpr int kMaxPos = 100;

    explicit MBS_ListView(player::Clip& clip);

    // The list behind a clip of the symbol, or nullptr.
    [[nodiscard]] static MBS_ListView* of(const player::Clip* clip);

    void Init();
    void Load(const QStringList& aPics);
    void PrePareItems(int Tol);
    void ReFresh(bool Force);
    // Position of the Index-th item (1-based) in the grid, one row pitch above the top.
    [[nodiscard]] QPointF GetLoc(int Index) const;
    void scroll(int position);

    // Placeholders the list answers to without doing anything.
    void setEnabled(bool) {}
    void setVPosition(int) {}
    void setRowCount(int) {}
    void onScroll() { setVPosition(0); }
    void init() {}
    [[nodiscard]] int getRowCount() const { return 0; }
    void size() {}
    void draw() {}
    void onEnterFrame() {}

    [[nodiscard]] QScrollBar* scrollBar() const { return m_scrollBar; }
    [[nodiscard]] const QList<player::Clip*>& items() const { return m_items; }

private:
    void setScrollProperties();
    [[nodiscard]] qreal num(const char* field) const;

    player::Clip& m_clip;
    QScrollBar* m_scrollBar = nullptr;
    player::Clip* m_scrollClip = nullptr;
    // `_Items_all`: the pool, in slot order.
    QList<player::Clip*> m_items;
};

// Registers the symbols "MBS_ListView" and "listView_item".
void defineListViewSymbols(player::Stage& stage);

} // namespace borders
