#pragma once

#include "player/Timeline.h"

#include <QGraphicsObject>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <memory>

namespace player {

class Bitmap;
class Stage;

// A movie clip: one node of the display list. Its depth is its z value among its siblings
// and is unique per parent; attaching at a taken depth replaces the clip that held it, as
// a player does. Named variables, functions and watchers make up the clip's script object,
// so pages reach each other by name (`capture_mc.setFrom`) instead of by C++ type.
class Clip : public QGraphicsObject {
    Q_OBJECT
public:
    using Function = std::function<QVariant(const QVariantList&)>;
    using Watcher = std::function<QVariant(const QVariant& oldValue, const QVariant& newValue)>;
    using Handler = std::function<void()>;
    using Painter = std::function<void(QPainter&)>;

    explicit Clip(const QString& name = {}, QGraphicsItem* parent = nullptr);
    ~Clip() override;

    [[nodiscard]] QString name() const { return objectName(); }
    [[nodiscard]] int depth() const { return static_cast<int>(zValue()); }
    [[nodiscard]] Clip* parentClip() const;
    [[nodiscard]] Stage* stage() const;

    // Display list.
    [[nodiscard]] Clip* child(const QString& name) const;
    [[nodiscard]] Clip* childAtDepth(int depth) const;
    [[nodiscard]] QList<Clip*> childClips() const; // ordered by depth, lowest first
    // A target path: "/a/b" from the root, "a/b" from this clip, ".." for the parent.
    [[nodiscard]] Clip* resolve(const QString& path) const;
    [[nodiscard]] QString targetPath() const;
    Clip* createEmptyMovieClip(const QString& name, int depth);
    // Adopts a clip made elsewhere (a subclass such as a text field or a video display).
    template <typename T> T* adopt(T* clip, int depth) {
        placeChild(clip, depth);
        return clip;
    }
    Clip* attachMovie(const QString& symbol, const QString& name, int depth,
                      const QVariantMap& init = {});
    Clip* attachBitmap(std::shared_ptr<Bitmap> bitmap, int depth, bool smoothing = true);
    void swapDepths(int depth);
    void swapDepths(Clip* other);
    // Empties the clip (content and children) but keeps its name and depth taken.
    void unloadMovie();
    // Takes the clip off the display list now and frees it once control returns to the loop.
    void removeMovieClip();

    // Geometry: position in the parent, scale in percent, alpha in percent.
    [[nodiscard]] qreal x() const { return pos().x(); }
    [[nodiscard]] qreal y() const { return pos().y(); }
    void setX(qreal x) { setPos(x, y()); }
    void setY(qreal y) { setPos(x(), y); }
    [[nodiscard]] qreal xScale() const { return m_xScale; }
    [[nodiscard]] qreal yScale() const { return m_yScale; }
    void setScale(qreal xPercent, qreal yPercent);
    [[nodiscard]] qreal alpha() const { return opacity() * 100.0; }
    void setAlpha(qreal percent) { setOpacity(percent / 100.0); }
    // Bounds of everything the clip holds, hidden children included, in the parent's
    // coordinates (or in `space`'s coordinates).
    [[nodiscard]] QRectF bounds(const QGraphicsItem* space = nullptr) const;
    [[nodiscard]] qreal width() const { return bounds().width(); }
    [[nodiscard]] qreal height() const { return bounds().height(); }

    // The clip's own graphics, drawn below its children.
    void setContent(QRectF rect, Painter painter);
    void setImage(const QImage& image, QPointF origin = {});
    void setRect(QRectF rect, QColor fill, QColor edge = Qt::transparent);
    [[nodiscard]] QRectF contentRect() const { return m_contentRect; }
    // The picture `setImage` gave the clip while it is still the clip's content.
    [[nodiscard]] QImage image() const { return m_image; }
    [[nodiscard]] std::shared_ptr<Bitmap> bitmap() const { return m_bitmap; }
    // Children and content are cut to this rectangle (own coordinates); empty removes it.
    void setMaskRect(QRectF rect);
    // Keeps the clip's drawing as a picture in screen pixels, redrawn only when the clip
    // itself changes: for still graphics that a live picture beside them repaints often.
    void setCacheAsBitmap(bool cached);
    [[nodiscard]] QRectF maskRect() const { return m_mask; }

    // Script object: variables, watchers, functions.
    [[nodiscard]] QVariant var(const QString& name) const { return m_vars.value(name); }
    [[nodiscard]] bool hasVar(const QString& name) const { return m_vars.contains(name); }
    void setVar(const QString& name, const QVariant& value);
    void watch(const QString& name, Watcher watcher);
    void unwatch(const QString& name) { m_watchers.remove(name); }
    void define(const QString& name, Function function);
    [[nodiscard]] bool hasFunction(const QString& name) const { return m_functions.contains(name); }
    QVariant call(const QString& name, const QVariantList& args = {});

    // Button events. A clip with any of these catches the mouse for its whole content.
    void onPress(Handler h) { setHandler(m_press, std::move(h)); }
    void onRelease(Handler h) { setHandler(m_release, std::move(h)); }
    void onReleaseOutside(Handler h) { setHandler(m_releaseOutside, std::move(h)); }
    void onRollOver(Handler h) { setHandler(m_rollOver, std::move(h)); }
    void onRollOut(Handler h) { setHandler(m_rollOut, std::move(h)); }
    [[nodiscard]] bool isButton() const;
    void setUseHandCursor(bool on) { m_handCursor = on; }
    [[nodiscard]] bool useHandCursor() const { return m_handCursor; }
    // How a button looks follows the pointer whatever handlers its scripts attach.
    enum class ButtonState { Up, Over, Down };
    void setLook(std::function<void(ButtonState)> look) { m_look = std::move(look); }
    void press() {
        showLook(ButtonState::Down);
        fire(m_press);
    }
    void release() { showLook(ButtonState::Over), fire(m_release); }
    void releaseOutside() { showLook(ButtonState::Up), fire(m_releaseOutside); }
    void rollOver() { showLook(ButtonState::Over), fire(m_rollOver); }
    void rollOut() { showLook(ButtonState::Up), fire(m_rollOut); }
    // True when the point (scene coordinates) lies on something this clip shows, or, when
    // the clip has a hit area, inside that area alone (a button whose hover label must not
    // catch the pointer).
    [[nodiscard]] bool hitTest(QPointF scenePoint) const;
    void setHitArea(QRectF rect) { m_hitArea = rect; }

    // Timeline and frame events.
    Timeline& timeline() { return m_timeline; }
    void gotoAndStop(int frame);
    void gotoAndStop(const QString& label) { gotoAndStop(m_timeline.frameOf(label)); }
    void gotoAndPlay(int frame);
    void play();
    void stop();
    [[nodiscard]] int currentFrame() const { return m_timeline.currentFrame(); }
    void onEnterFrame(Handler h);
    [[nodiscard]] bool needsFrames() const { return m_timeline.isPlaying() || bool(m_enterFrame); }
    // One tick of the frame clock.
    void tickFrame();

    // Dragging within bounds given in the parent's coordinates.
    void startDrag(bool lockCenter, QRectF bounds);
    void stopDrag();

    // QGraphicsItem
    [[nodiscard]] QRectF boundingRect() const override;
    [[nodiscard]] QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

signals:
    void varChanged(const QString& name);

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
    void placeChild(Clip* clip, int depth);

private:
    void setHandler(Handler& slot, Handler h);
    void fire(const Handler& h);
    void showLook(ButtonState state) {
        if (m_look)
            m_look(state);
    }
    void updateClock();

    qreal m_xScale = 100;
    qreal m_yScale = 100;
    QRectF m_contentRect;
    Painter m_painter;
    QImage m_image;
    std::shared_ptr<Bitmap> m_bitmap;
    QRectF m_mask;
    QRectF m_hitArea;
    QHash<QString, QVariant> m_vars;
    QHash<QString, Watcher> m_watchers;
    QHash<QString, Function> m_functions;
    Handler m_press, m_release, m_releaseOutside, m_rollOver, m_rollOut, m_enterFrame;
    std::function<void(ButtonState)> m_look;
    bool m_handCursor = true;
    Timeline m_timeline;
};

} // namespace player

Q_DECLARE_METATYPE(player::Clip*)
