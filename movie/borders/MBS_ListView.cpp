#include "movie/borders/MBS_ListView.h"

#include "movie/borders/ListItem.h"
#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QEvent>
#include <QGraphicsProxyWidget>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace borders {

using player::Clip;

namespace {

const QString kListArt = QStringLiteral("art/list_area.png");
const QSizeF kListArea(750, 213);
const QPointF kScrollAt(753, 0);
constexpr int kScrollHeight = 214;
constexpr int kScrollWidth = 16;
// Timeline clips sit below every depth a script attaches at.
constexpr int kBackDepth = -16383;
constexpr int kScrollDepth = -16382;

// The wheel zooms the chosen picture wherever the pointer is; over the scroll bar it does
// that too instead of scrolling, so one turn never does both.
class WheelToStage : public QObject {
public:
    WheelToStage(player::Stage& stage, QObject* parent) : QObject(parent), m_stage(stage) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return QObject::eventFilter(watched, event);
        m_stage.sendWheel(static_cast<QWheelEvent*>(event)->angleDelta().y() / 40);
        return true;
    }

private:
    player::Stage& m_stage;
};

} // namespace

MBS_ListView::MBS_ListView(Clip& clip) : QObject(&clip), m_clip(clip) {
    setObjectName(kListViewSymbol);
    clip.setVar(QStringLiteral("_ListItem_Mc_name"), kItemSymbol);
    clip.setVar(QStringLiteral("_RowSpace"), 5);
    clip.setVar(QStringLiteral("_ColSpace"), 10);
    clip.setVar(QStringLiteral("_TopMarggn"), 5);
    clip.setVar(QStringLiteral("_Items_all"), QVariantList());

    player::Stage* stage = clip.stage();
    Clip* back = clip.createEmptyMovieClip(QStringLiteral("bg_mc"), kBackDepth);
    const QImage art = stage ? stage->image(kListArt) : QImage();
    back->setContent(QRectF(QPointF(0, 0), kListArea), [art](QPainter& p) {
        // Art of another size than the area is scaled into it, whatever the clip's own
        // scale; art that fits is copied as the clip's own drawing is.
        if (art.size() != kListArea.toSize())
            p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(QPointF(0, 0), kListArea), art);
    });

    m_scrollClip = clip.createEmptyMovieClip(QStringLiteral("scroll_mc"), kScrollDepth);
    m_scrollClip->setPos(kScrollAt);
    m_scrollBar = new QScrollBar(Qt::Vertical);
    m_scrollBar->resize(kScrollWidth, kScrollHeight);
    auto* proxy = new QGraphicsProxyWidget(m_scrollClip);
    proxy->setWidget(m_scrollBar);
    if (stage)
        m_scrollBar->installEventFilter(new WheelToStage(*stage, m_scrollBar));
    // The rows outside the list area slide under its edges rather than over the page.
    clip.setMaskRect(QRectF(0, 0, kScrollAt.x() + kScrollWidth, kScrollHeight));

    Clip* self = &clip;
    const auto method = [self](const char* name, std::function<void(const QVariantList&)> f) {
        self->define(QLatin1String(name), [f = std::move(f)](const QVariantList& args) {
            f(args);
            return QVariant();
        });
    };
    method("Init", [this](const QVariantList&) { Init(); });
    method("Load", [this](const QVariantList& a) { Load(a.value(0).toStringList()); });
    method("PrePareItems", [this](const QVariantList& a) { PrePareItems(a.value(0).toInt()); });
    method("ReFresh", [this](const QVariantList& a) { ReFresh(a.value(0).toBool()); });
    method("scroll", [this](const QVariantList& a) { scroll(a.value(0).toInt()); });
    for (const char* name : {"setEnabled", "setVPosition", "setRowCount", "onScroll", "init",
                             "size", "draw", "onEnterFrame"})
        method(name, [](const QVariantList&) {});
    clip.define(QStringLiteral("GetLoc"), [this](const QVariantList& a) -> QVariant {
        const QPointF at = GetLoc(a.value(0).toInt());
        return QVariantMap{{QStringLiteral("_x"), at.x()}, {QStringLiteral("_y"), at.y()}};
    });
    clip.define(QStringLiteral("getRowCount"), [](const QVariantList&) -> QVariant { return 0; });
}

MBS_ListView* MBS_ListView::of(const Clip* clip) {
    return clip ? clip->findChild<MBS_ListView*>(kListViewSymbol, Qt::FindDirectChildrenOnly)
                : nullptr;
}

qreal MBS_ListView::num(const char* field) const {
    return m_clip.var(QLatin1String(field)).toReal();
}

void MBS_ListView::setScrollProperties() {
    const QSignalBlocker quiet(m_scrollBar);
    m_scrollBar->setPageStep(kPageSize);
    m_scrollBar->setRange(kMinPos, kMaxPos);
}

void MBS_ListView::Init() {
    const QString symbol = m_clip.var(QStringLiteral("_ListItem_Mc_name")).toString();
    Clip* sample = m_clip.attachMovie(symbol, QStringLiteral("itemnew"), 0);
    qreal width = 0, height = 0;
    if (sample) {
        sample->setPos(0, 0);
        sample->hide();
        width = sample->width();
        height = sample->height();
    }
    m_clip.setVar(QStringLiteral("_ItemWidth"), width);
    m_clip.setVar(QStringLiteral("_ItemHeight"), height);
    // A missing item picture must not make a grid of no columns divide by zero later.
    const qreal rowPitch = std::max<qreal>(1, height + num("_RowSpace"));
    const qreal colPitch = std::max<qreal>(1, width + num("_ColSpace"));
    m_clip.setVar(QStringLiteral("_Rows"), int(std::floor(kListArea.height() / rowPitch)) + 2);
    m_clip.setVar(QStringLiteral("_Cols"),
                  std::max(1, int(std::floor(kListArea.width() / colPitch))));
    setScrollProperties();
    // A second Init must not make one move of the bar scroll twice.
    disconnect(m_scrollBar, &QScrollBar::valueChanged, this, nullptr);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) { scroll(value); });
}

void MBS_ListView::scroll(int position) {
    m_clip.setVar(QStringLiteral("_vPrecent"), position);
    ReFresh(false);
}

void MBS_ListView::Load(const QStringList& aPics) {
    const int cols = std::max(1, m_clip.var(QStringLiteral("_Cols")).toInt());
    const int rows = m_clip.var(QStringLiteral("_Rows")).toInt();
    const int n = int(aPics.size());
    m_clip.setVar(QStringLiteral("_Pics"), aPics);
    const int rowMax = (n - 1 < 0 ? -1 : (n - 1) / cols) + 2;
    m_clip.setVar(QStringLiteral("_RowMax"), rowMax);
    m_clip.setVar(QStringLiteral("_ScrollHeight"),
                  (rowMax - 1) * (num("_ItemHeight") + num("_RowSpace")));
    m_clip.setVar(QStringLiteral("_vPrecent"), 0);
    if (rows * cols > n) {
        m_scrollClip->hide();
    } else {
        m_scrollClip->show();
        setScrollProperties();
    }
    // The bar starts at the top with the new class, where the grid does.
    {
        const QSignalBlocker quiet(m_scrollBar);
        m_scrollBar->setValue(kMinPos);
    }
    if (m_items.isEmpty())
        PrePareItems(rows * cols);
}

void MBS_ListView::PrePareItems(int Tol) {
    for (Clip* item : std::as_const(m_items))
        item->removeMovieClip();
    m_items.clear();
    const QString symbol = m_clip.var(QStringLiteral("_ListItem_Mc_name")).toString();
    QVariantList all;
    for (int i = 0; i < Tol; ++i) {
        const QPointF at = GetLoc(i + 1);
        const int number = int(m_items.size()) + 1;
        const QVariantMap init{{QStringLiteral("_x"), at.x()},
                               {QStringLiteral("_y"), at.y()},
                               {QStringLiteral("_visible"), true},
                               {moviecommon::vars::pIndex, i + 1}};
        Clip* item = m_clip.attachMovie(symbol, QStringLiteral("itemnew") + QString::number(number),
                                        number, init);
        if (!item)
            return;
        m_items.append(item);
        all.append(QVariant::fromValue(item));
    }
    m_clip.setVar(QStringLiteral("_Items_all"), all);
}

QPointF MBS_ListView::GetLoc(int Index) const {
    const int cols = std::max(1, m_clip.var(QStringLiteral("_Cols")).toInt());
    int column = Index % cols;
    if (column == 0)
        column = cols;
    const int row = (Index - 1) / cols;
    return {(column - 1) * (num("_ItemWidth") + num("_ColSpace")) + kLeftMargin,
            (row - 1) * (num("_ItemHeight") + num("_RowSpace")) + num("_TopMarggn")};
}

void MBS_ListView::ReFresh(bool Force) {
    const int pool = int(m_items.size());
    if (pool == 0)
        return;
    const int cols = std::max(1, m_clip.var(QStringLiteral("_Cols")).toInt());
    const qreal pitch = num("_ItemHeight") + num("_RowSpace");
    const int n = int(m_clip.var(QStringLiteral("_Pics")).toStringList().size());
    const qreal scrollTop = num("_ScrollHeight") * num("_vPrecent") / 100.0;
    m_clip.setVar(QStringLiteral("_ScrollTop"), scrollTop);
    if (pitch <= 0)
        return;
    const int firstRow = int(std::floor(scrollTop / pitch)) + 1;
    const int firstIndex = (firstRow - 1) * cols + 1;
    const qreal offset = pitch - std::fmod(scrollTop, pitch);
    for (int k = 0; k < pool; ++k) {
        const int index = firstIndex + k;
        int slot = index % pool;
        if (slot == 0)
            slot = pool;
        Clip* item = m_items[slot - 1];
        if (index > n) {
            item->hide();
            continue;
        }
        item->setY(offset + GetLoc(k + 1).y());
        if (Force || item->var(moviecommon::vars::pIndex).toInt() != index)
            item->call(moviecommon::calls::Update, {index});
        item->show();
    }
}

void defineListViewSymbols(player::Stage& stage) {
    defineListItemSymbol(stage);
    stage.library().define(kListViewSymbol, [](Clip& clip) { new MBS_ListView(clip); });
}

} // namespace borders
