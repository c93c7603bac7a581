#include "player/Stage.h"

#include "common/AfterWaitingEvents.h"
#include "player/Clip.h"
#include "player/PictureDecoder.h"
#include "player/Services.h"
#include "player/SettingsPanel.h"
#include "player/SoundBank.h"
#include "player/net/Transfer.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSceneWheelEvent>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <utility>

Q_LOGGING_CATEGORY(lcTrace, "ivemba.trace")

namespace player {

namespace {

Clip* findButton(Clip* clip, QPointF scenePoint) {
    if (!clip->isVisible())
        return nullptr;
    if (!clip->maskRect().isEmpty() && !clip->maskRect().contains(clip->mapFromScene(scenePoint)))
        return nullptr;
    if (clip->isButton())
        return clip->hitTest(scenePoint) ? clip : nullptr;
    const QList<Clip*> children = clip->childClips();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (Clip* hit = findButton(*it, scenePoint))
            return hit;
    }
    return nullptr;
}

} // namespace

Stage::Stage(QObject* parent)
    : QGraphicsScene(parent), m_sounds(new SoundBank(this)),
      m_services(std::make_unique<Services>(this)) {
    setSceneRect(0, 0, 800, 600);
    setItemIndexMethod(QGraphicsScene::NoIndex);
    reset();
}

Stage::~Stage() {
    delete m_settingsPanel; // it works on the services, which go with the stage
    m_clock.clear();
    m_intervals.clear();
    // Clips leave while the stage's services still exist; they deregister from them.
    delete m_root;
    m_root = nullptr;
}

void Stage::reset() {
    m_clock.clear();
    m_intervals.clear();
    m_library.clear();
    m_images.clear();
    m_sounds->clear();
    m_wheelListeners.clear();
    m_allowedDomains.clear();
    m_builtInItemsHidden = false;
    m_painted = false;
    m_afterPaint.clear();
    ++m_generation;
    m_pressed = m_hover = m_drag = nullptr;
    delete m_root;
    m_root = new Clip();
    addItem(m_root);
}

QImage Stage::image(const QString& relative) {
    if (auto it = m_images.constFind(relative); it != m_images.constEnd())
        return it.value();
    DecodedPicture decoded = decodePictureFile(assetPath(relative));
    QImage picture = std::move(decoded.image);
    if (picture.isNull())
        trace(QStringLiteral("missing picture ") + relative + QStringLiteral(": ") + decoded.error);
    // The artwork is drawn on every repaint of its place; in the painter's own format it is
    // copied, where straight alpha would be converted pixel by pixel each time.
    if (picture.hasAlphaChannel())
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    m_images.insert(relative, picture);
    return picture;
}

void Stage::playSound(const QString& relative) {
    m_sounds->play(assetPath(relative));
}

void Stage::afterFirstPaint(QObject* context, std::function<void()> work) {
    // A view not hidden is shown, or will be with its window (the host plays the movie
    // while making the window, before showing it).
    const QList<QGraphicsView*> shownIn = views();
    const bool willPaint = std::any_of(shownIn.begin(), shownIn.end(),
                                       [](const QGraphicsView* view) { return !view->isHidden(); });
    if (m_painted || !willPaint) {
        work();
        return;
    }
    if (m_afterPaint.isEmpty()) {
        // A window that never paints (started minimised) still gets its devices.
        QTimer::singleShot(kFirstPaintWaitMs, this, [this, generation = m_generation] {
            if (generation == m_generation)
                runAfterPaint();
        });
    }
    m_afterPaint.append({context, std::move(work)});
}

void Stage::firstFramePainted() {
    if (m_painted)
        return;
    m_painted = true;
    // From the event loop: the painted frame reaches the screen before the work starts, and a
    // close asked for meanwhile comes first.
    common::afterWaitingEvents(this, [this, generation = m_generation] {
        if (generation != m_generation)
            return;
        const QList<QGraphicsView*> shownIn = views();
        if (!shownIn.isEmpty() &&
            std::none_of(shownIn.begin(), shownIn.end(),
                         [](const QGraphicsView* view) { return view->isVisible(); })) {
            // The window closed right after its first frame: the devices would only be set
            // up to be taken down.
            m_afterPaint.clear();
            return;
        }
        runAfterPaint();
    });
}

void Stage::runAfterPaint() {
    m_painted = true;
    const auto waiting = std::exchange(m_afterPaint, {});
    for (const auto& [context, work] : waiting) {
        if (context)
            work();
    }
}

void Stage::trace(const QString& text) {
    qCInfo(lcTrace).noquote() << text;
    emit traced(text);
}

void Stage::getURL(const QString& url, const QString& target) {
    if (!net::isWebAddress(url)) {
        trace(QStringLiteral("getURL: not a web address, not opened: ") + url);
        return;
    }
    if (m_services->openAddress)
        m_services->openAddress(url, target);
}

void Stage::setAddressOpener(AddressOpener opener) {
    m_services->openAddress = std::move(opener);
}

void Stage::addWheelListener(QObject* owner, WheelListener listener) {
    m_wheelListeners.append({QPointer<QObject>(owner), std::move(listener)});
}

void Stage::sendWheel(int delta) {
    const auto listeners = m_wheelListeners;
    for (const auto& [owner, listener] : listeners) {
        if (owner)
            listener(delta);
    }
}

void Stage::addKeyListener(QObject* owner, KeyListener listener) {
    m_keyListeners.append({QPointer<QObject>(owner), std::move(listener)});
}

bool Stage::sendKey(int key) {
    const auto listeners = m_keyListeners;
    for (const auto& [owner, listener] : listeners) {
        if (owner && listener(key))
            return true;
    }
    return false;
}

QString Stage::settingsEntry() {
    return tr("设置...");
}

QStringList Stage::contextMenuEntries() const {
    const QString about = tr("关于 iVemba 播放器");
    if (m_builtInItemsHidden)
        return {settingsEntry(), about};
    return {tr("放大"), tr("缩小"), tr("全部显示"), tr("打印..."), settingsEntry(), about};
}

SettingsPanel* Stage::settingsPanel() const {
    return m_settingsPanel;
}

SettingsPanel* Stage::showSettings(int panel) {
    if (!m_settingsPanel) {
        const QList<QGraphicsView*> shown = views();
        QWidget* owner = shown.isEmpty() ? nullptr : shown.first()->window();
        m_settingsPanel = new SettingsPanel(*m_services, owner);
    }
    m_settingsPanel->showSection(panel == 0 ? SettingsPanel::Section::Privacy
                                            : SettingsPanel::Section::Camera);
    // Window-modal, as the panel of a player sits over its movie, but without a loop of its
    // own: the movie keeps playing behind it, so a change shows at once.
    if (!m_settingsPanel->isVisible())
        m_settingsPanel->open();
    m_settingsPanel->raise();
    m_settingsPanel->activateWindow();
    return m_settingsPanel;
}

Clip* Stage::buttonAt(QPointF scenePoint) const {
    return findButton(m_root, scenePoint);
}

void Stage::beginDrag(Clip* clip, bool lockCenter, QRectF bounds) {
    m_drag = clip;
    m_dragBounds = bounds;
    m_dragOffset = {};
    if (!lockCenter && clip->parentItem()) {
        const QPointF mouse = clip->parentItem()->mapFromScene(m_lastMouse);
        m_dragOffset = clip->pos() - mouse;
    }
}

void Stage::endDrag(Clip* clip) {
    if (!clip || m_drag == clip)
        m_drag = nullptr;
}

bool Stage::overWidget(QPointF scenePoint) const {
    for (QGraphicsItem* item : items(scenePoint)) {
        for (QGraphicsItem* at = item; at; at = at->parentItem()) {
            if (at->isWidget() && at->isVisible())
                return true;
        }
    }
    return false;
}

void Stage::moveDrag(QPointF scenePoint) {
    Clip* clip = m_drag;
    if (!clip || !clip->parentItem())
        return;
    QPointF at = clip->parentItem()->mapFromScene(scenePoint) + m_dragOffset;
    if (!m_dragBounds.isNull()) {
        // Bounds are left/top/right/bottom; a reversed pair pins the clip to its first edge.
        at.setX(std::max(m_dragBounds.left(), std::min(at.x(), m_dragBounds.right())));
        at.setY(std::max(m_dragBounds.top(), std::min(at.y(), m_dragBounds.bottom())));
    }
    clip->setPos(at);
}

void Stage::updateHover(QPointF scenePoint) {
    Clip* over = buttonAt(scenePoint);
    if (over != m_hover) {
        QPointer<Clip> previous = m_hover;
        m_hover = over;
        if (previous)
            previous->rollOut();
        if (over)
            over->rollOver();
    }
    const bool hand = over && over->useHandCursor();
    for (QGraphicsView* view : views())
        view->viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void Stage::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    m_lastMouse = event->scenePos();
    if (overWidget(event->scenePos())) {
        m_widgetGrab = true;
        QGraphicsScene::mousePressEvent(event);
        return;
    }
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = buttonAt(event->scenePos());
    if (m_pressed)
        m_pressed->press();
}

void Stage::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    m_lastMouse = event->scenePos();
    if (m_widgetGrab) {
        QGraphicsScene::mouseMoveEvent(event);
        return;
    }
    moveDrag(event->scenePos());
    if (!m_pressed)
        updateHover(event->scenePos());
    if (overWidget(event->scenePos()))
        QGraphicsScene::mouseMoveEvent(event);
}

void Stage::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    m_lastMouse = event->scenePos();
    if (m_widgetGrab) {
        m_widgetGrab = false;
        QGraphicsScene::mouseReleaseEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    QPointer<Clip> pressed = m_pressed;
    m_pressed = nullptr;
    if (pressed) {
        if (buttonAt(event->scenePos()) == pressed)
            pressed->release();
        else if (pressed)
            pressed->releaseOutside();
    }
    updateHover(event->scenePos());
}

void Stage::wheelEvent(QGraphicsSceneWheelEvent* event) {
    if (overWidget(event->scenePos())) {
        QGraphicsScene::wheelEvent(event);
        return;
    }
    // One notch (120) is a delta of 3, as the movie expects.
    sendWheel(event->delta() / 40);
    event->accept();
}

void Stage::keyPressEvent(QKeyEvent* event) {
    // A text field being typed in keeps every key, Space included.
    if (focusItem() || event->isAutoRepeat() || !sendKey(event->key())) {
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Stage::contextMenuEvent(QGraphicsSceneContextMenuEvent* event) {
    QMenu menu;
    const QAction* settings = nullptr;
    for (const QString& entry : contextMenuEntries()) {
        QAction* action = menu.addAction(entry);
        if (entry == settingsEntry())
            settings = action;
        else
            action->setEnabled(false);
    }
    if (menu.exec(event->screenPos()) == settings && settings)
        showSettings(1);
    event->accept();
}

} // namespace player
