#include "player/Clip.h"

#include "player/Bitmap.h"
#include "player/Stage.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QStringList>
#include <algorithm>

namespace player {

Clip::Clip(const QString& name, QGraphicsItem* parent) : QGraphicsObject(parent) {
    setObjectName(name);
    setFlag(ItemHasNoContents, true);
    setAcceptedMouseButtons(Qt::NoButton);
}

Clip::~Clip() {
    if (Stage* s = stage()) {
        s->clock().setActive(this, false);
        s->endDrag(this);
    }
}

Clip* Clip::parentClip() const {
    return dynamic_cast<Clip*>(parentItem());
}

Stage* Clip::stage() const {
    return qobject_cast<Stage*>(scene());
}

Clip* Clip::child(const QString& name) const {
    for (QGraphicsItem* item : childItems()) {
        auto* clip = dynamic_cast<Clip*>(item);
        if (clip && clip->objectName() == name)
            return clip;
    }
    return nullptr;
}

Clip* Clip::childAtDepth(int depth) const {
    for (QGraphicsItem* item : childItems()) {
        auto* clip = dynamic_cast<Clip*>(item);
        if (clip && clip->depth() == depth)
            return clip;
    }
    return nullptr;
}

QList<Clip*> Clip::childClips() const {
    QList<Clip*> clips;
    for (QGraphicsItem* item : childItems()) {
        if (auto* clip = dynamic_cast<Clip*>(item))
            clips.append(clip);
    }
    std::stable_sort(clips.begin(), clips.end(),
                     [](Clip* a, Clip* b) { return a->zValue() < b->zValue(); });
    return clips;
}

Clip* Clip::resolve(const QString& path) const {
    const Clip* at = this;
    if (path.startsWith(QLatin1Char('/'))) {
        while (at->parentClip())
            at = at->parentClip();
    }
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        at = part == QLatin1String("..") ? at->parentClip() : at->child(part);
        if (!at)
            return nullptr;
    }
    return const_cast<Clip*>(at);
}

QString Clip::targetPath() const {
    QStringList names;
    for (const Clip* at = this; at && at->parentClip(); at = at->parentClip())
        names.prepend(at->name());
    return QLatin1Char('/') + names.join(QLatin1Char('/'));
}

void Clip::placeChild(Clip* clip, int depth) {
    if (Clip* taken = childAtDepth(depth); taken && taken != clip)
        taken->removeMovieClip();
    clip->setZValue(depth);
    clip->setParentItem(this);
}

Clip* Clip::createEmptyMovieClip(const QString& name, int depth) {
    return adopt(new Clip(name), depth);
}

Clip* Clip::attachMovie(const QString& symbol, const QString& name, int depth,
                        const QVariantMap& init) {
    Stage* s = stage();
    if (!s || !s->library().has(symbol)) {
        if (s)
            s->trace(QStringLiteral("attachMovie: no symbol ") + symbol);
        return nullptr;
    }
    Clip* clip = createEmptyMovieClip(name, depth);
    for (auto it = init.begin(); it != init.end(); ++it)
        clip->m_vars.insert(it.key(), it.value());
    s->library().builder(symbol)(*clip);
    return clip;
}

Clip* Clip::attachBitmap(std::shared_ptr<Bitmap> bitmap, int depth, bool smoothing) {
    auto* holder = adopt(new Clip(), depth);
    if (!bitmap)
        return holder;
    const QRectF rect(0, 0, bitmap->width(), bitmap->height());
    Bitmap* raw = bitmap.get();
    holder->setContent(rect, [raw, smoothing](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, smoothing);
        p.drawImage(QPointF(0, 0), raw->image());
    });
    holder->m_bitmap = std::move(bitmap);
    return holder;
}

void Clip::swapDepths(int target) {
    Clip* parent = parentClip();
    const int mine = depth();
    if (target == mine)
        return;
    if (parent) {
        if (Clip* other = parent->childAtDepth(target))
            other->setZValue(mine);
    }
    setZValue(target);
}

void Clip::swapDepths(Clip* other) {
    if (other && other != this && other->parentItem() == parentItem())
        swapDepths(other->depth());
}

void Clip::unloadMovie() {
    for (Clip* clip : childClips())
        clip->removeMovieClip();
    for (QGraphicsItem* item : childItems())
        delete item;
    setContent({}, {});
    m_bitmap.reset();
    m_timeline = Timeline();
    m_enterFrame = {};
    updateClock();
}

void Clip::removeMovieClip() {
    hide();
    if (Stage* s = stage()) {
        s->clock().setActive(this, false);
        s->endDrag(this);
    }
    setParentItem(nullptr);
    if (QGraphicsScene* sc = scene())
        sc->removeItem(this);
    deleteLater();
}

void Clip::setScale(qreal xPercent, qreal yPercent) {
    m_xScale = xPercent;
    m_yScale = yPercent;
    setTransform(QTransform::fromScale(xPercent / 100.0, yPercent / 100.0));
}

static QRectF subtreeRect(const QGraphicsItem& item) {
    QRectF rect;
    if (const auto* clip = dynamic_cast<const Clip*>(&item))
        rect = clip->contentRect();
    else
        rect = item.boundingRect();
    for (const QGraphicsItem* child : item.childItems()) {
        const QRectF inner = subtreeRect(*child);
        if (inner.isNull())
            continue;
        const QRectF mapped = child->mapRectToParent(inner);
        rect = rect.isNull() ? mapped : rect.united(mapped);
    }
    return rect;
}

QRectF Clip::bounds(const QGraphicsItem* space) const {
    const QRectF own = subtreeRect(*this);
    if (own.isNull())
        return {};
    if (space)
        return mapRectToItem(space, own);
    return parentItem() ? mapRectToParent(own) : mapRectToScene(own);
}

void Clip::setContent(QRectF rect, Painter painter) {
    // The scene never repaints an item without contents, not even where its last content
    // was: that area is handed to the scene itself before the flag hides the item.
    if (m_painter && !painter && scene() && isVisible())
        scene()->update(sceneTransform().mapRect(boundingRect()));
    prepareGeometryChange();
    m_contentRect = painter ? rect : QRectF();
    m_painter = std::move(painter);
    m_image = QImage();
    setFlag(ItemHasNoContents, !m_painter);
    update();
}

void Clip::setImage(const QImage& image, QPointF origin) {
    if (image.isNull()) {
        setContent({}, {});
        return;
    }
    setContent(QRectF(origin, image.size()),
               [image, origin](QPainter& p) { p.drawImage(origin, image); });
    m_image = image;
}

void Clip::setRect(QRectF rect, QColor fill, QColor edge) {
    setContent(rect, [rect, fill, edge](QPainter& p) {
        p.fillRect(rect, fill);
        if (edge.alpha() > 0) {
            // Mitred corners: the default bevel leaves each corner pixel half covered.
            QPen pen(edge, 1);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    });
}

void Clip::setMaskRect(QRectF rect) {
    prepareGeometryChange();
    m_mask = rect;
    setFlag(ItemClipsChildrenToShape, !rect.isEmpty());
    setFlag(ItemClipsToShape, !rect.isEmpty());
    update();
}

void Clip::setCacheAsBitmap(bool cached) {
    setCacheMode(cached ? DeviceCoordinateCache : NoCache);
}

void Clip::setVar(const QString& name, const QVariant& value) {
    QVariant stored = value;
    if (auto it = m_watchers.find(name); it != m_watchers.end()) {
        const Watcher watcher = it.value();
        stored = watcher(m_vars.value(name), value);
    }
    m_vars.insert(name, stored);
    emit varChanged(name);
}

void Clip::watch(const QString& name, Watcher watcher) {
    m_watchers.insert(name, std::move(watcher));
}

void Clip::define(const QString& name, Function function) {
    m_functions.insert(name, std::move(function));
}

QVariant Clip::call(const QString& name, const QVariantList& args) {
    auto it = m_functions.find(name);
    if (it == m_functions.end()) {
        if (Stage* s = stage())
            s->trace(QStringLiteral("call: ") + targetPath() + QLatin1Char('.') + name +
                     QStringLiteral(" is not a function"));
        return {};
    }
    const Function function = it.value();
    return function(args);
}

bool Clip::isButton() const {
    return m_press || m_release || m_releaseOutside || m_rollOver || m_rollOut;
}

void Clip::setHandler(Handler& slot, Handler h) {
    slot = std::move(h);
}

void Clip::fire(const Handler& h) {
    if (h) {
        const Handler copy = h; // the handler may replace itself
        copy();
    }
}

bool Clip::hitTest(QPointF scenePoint) const {
    if (!isVisible())
        return false;
    const QPointF local = mapFromScene(scenePoint);
    if (!m_mask.isEmpty() && !m_mask.contains(local))
        return false;
    if (!m_hitArea.isEmpty())
        return m_hitArea.contains(local);
    if (!m_contentRect.isEmpty() && m_contentRect.contains(local))
        return true;
    for (QGraphicsItem* item : childItems()) {
        if (auto* clip = dynamic_cast<Clip*>(item)) {
            if (clip->hitTest(scenePoint))
                return true;
        } else if (item->isVisible() && item->contains(item->mapFromScene(scenePoint))) {
            return true;
        }
    }
    return false;
}

void Clip::gotoAndStop(int frame) {
    m_timeline.gotoAndStop(frame);
    updateClock();
}

void Clip::gotoAndPlay(int frame) {
    m_timeline.gotoAndPlay(frame);
    updateClock();
}

void Clip::play() {
    m_timeline.play();
    updateClock();
}

void Clip::stop() {
    m_timeline.stop();
    updateClock();
}

void Clip::onEnterFrame(Handler h) {
    m_enterFrame = std::move(h);
    updateClock();
}

void Clip::tickFrame() {
    m_timeline.advance();
    fire(m_enterFrame);
    updateClock();
}

void Clip::updateClock() {
    if (Stage* s = stage())
        s->clock().setActive(this, needsFrames());
}

void Clip::startDrag(bool lockCenter, QRectF bounds) {
    if (Stage* s = stage())
        s->beginDrag(this, lockCenter, bounds);
}

void Clip::stopDrag() {
    if (Stage* s = stage())
        s->endDrag(this);
}

QRectF Clip::boundingRect() const {
    return m_mask.isEmpty() ? m_contentRect : m_mask;
}

QPainterPath Clip::shape() const {
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void Clip::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (!m_painter)
        return;
    // Smoothing matters only where the clip is scaled or turned. Asked for everywhere, it
    // sends every one-to-one copy (the scene's copies of cached clips too) down the
    // painter's slow path, which splits each copy over helper threads and waits for them.
    painter->setRenderHint(QPainter::SmoothPixmapTransform,
                           painter->worldTransform().type() > QTransform::TxTranslate);
    m_painter(*painter);
}

QVariant Clip::itemChange(GraphicsItemChange change, const QVariant& value) {
    // A clip that starts playing before it reaches the stage joins the clock when it does.
    if (change == ItemSceneHasChanged && needsFrames())
        updateClock();
    return QGraphicsObject::itemChange(change, value);
}

} // namespace player
