#pragma once

#include "player/Clip.h"
#include "player/FrameClock.h"
#include "player/Intervals.h"
#include "player/Library.h"

#include <QGraphicsScene>
#include <QHash>
#include <QImage>
#include <QLoggingCategory>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcTrace)

namespace player {

class Clip;
class Services;
class SettingsPanel;
class SoundBank;

// The movie's world: the display list under `root`, and the runtime services its code
// calls — frame clock, intervals, symbols, commands to the host, trace, addresses, mouse
// wheel and context menu. Everything here lives on the UI thread.
class Stage : public QGraphicsScene {
    Q_OBJECT
public:
    using AddressOpener = std::function<void(const QString& url, const QString& target)>;
    using WheelListener = std::function<void(int delta)>;
    // True when the key was used; a key nobody uses goes on to the focused text field.
    using KeyListener = std::function<bool(int key)>;

    explicit Stage(QObject* parent = nullptr);
    ~Stage() override;

    [[nodiscard]] Clip* root() const { return m_root; }
    [[nodiscard]] Library& library() { return m_library; }
    [[nodiscard]] Intervals& intervals() { return m_intervals; }
    [[nodiscard]] FrameClock& clock() { return m_clock; }
    // What the movie reaches outside the process with; tests replace its members.
    [[nodiscard]] Services& services() const { return *m_services; }
    // Empties the stage for the next movie.
    void reset();

    // Where the movie came from, and where its bundle's files are mounted.
    void setMovieUrl(const QString& url) { m_movieUrl = url; }
    [[nodiscard]] QString movieUrl() const { return m_movieUrl; }
    void setAssetRoot(const QString& root) { m_assetRoot = root; }
    [[nodiscard]] QString assetPath(const QString& relative) const {
        return m_assetRoot + relative;
    }
    // A picture of the movie's bundle; a null image (traced) when it is missing.
    [[nodiscard]] QImage image(const QString& relative);
    void playSound(const QString& relative);

    // Runs `work` once the movie's first frame is on screen (at the latest after
    // kFirstPaintWaitMs), or at once when it already is or no view is there to paint it: devices
    // the first picture does not need (the camera and, with it, the sound system) wait so that the
    // window comes up first. Dropped when `context` goes first, or when the window is closed
    // before the work's turn comes.
    void afterFirstPaint(QObject* context, std::function<void()> work);
    // The view that shows the stage tells it when the first frame is painted.
    void firstFramePainted();
    static constexpr int kFirstPaintWaitMs = 2000;

    // Services the movie's code calls.
    void fsCommand(const QString& name, const QString& argument) { emit command(name, argument); }
    void trace(const QString& text);
    // Opens an http or https address in a browser window; any other address is traced and
    // ignored, so a movie cannot make the desktop run a local file or a script address.
    void getURL(const QString& url, const QString& target);
    void setAddressOpener(AddressOpener opener);
    void allowDomain(const QStringList& patterns) { m_allowedDomains += patterns; }
    [[nodiscard]] QStringList allowedDomains() const { return m_allowedDomains; }
    void addWheelListener(QObject* owner, WheelListener listener);
    void sendWheel(int delta);
    // Keys pressed while no text field of the movie has the focus.
    void addKeyListener(QObject* owner, KeyListener listener);
    bool sendKey(int key);
    void setBuiltInMenuItemsHidden(bool hidden) { m_builtInItemsHidden = hidden; }
    [[nodiscard]] bool builtInMenuItemsHidden() const { return m_builtInItemsHidden; }
    // The entries a right click shows, our own first; empty when there are none.
    [[nodiscard]] QStringList contextMenuEntries() const;
    // The context menu's entry that opens the player's settings panel.
    [[nodiscard]] static QString settingsEntry();
    // Opens the player's settings panel (panel 0 is privacy, as a movie asks for it when its
    // camera is refused; any other number the camera) and returns it; one panel at a time.
    SettingsPanel* showSettings(int panel);
    [[nodiscard]] SettingsPanel* settingsPanel() const;

    // Mouse routing: the top-most button clip under a point.
    [[nodiscard]] Clip* buttonAt(QPointF scenePoint) const;
    void beginDrag(Clip* clip, bool lockCenter, QRectF bounds);
    void endDrag(Clip* clip);
    [[nodiscard]] Clip* dragging() const { return m_drag; }

signals:
    void command(const QString& name, const QString& argument);
    void traced(const QString& text);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void wheelEvent(QGraphicsSceneWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent* event) override;

private:
    [[nodiscard]] bool overWidget(QPointF scenePoint) const;
    void moveDrag(QPointF scenePoint);
    void updateHover(QPointF scenePoint);

    Clip* m_root = nullptr;
    Library m_library;
    Intervals m_intervals;
    FrameClock m_clock;
    SoundBank* m_sounds = nullptr;
    QString m_movieUrl;
    QString m_assetRoot;
    QHash<QString, QImage> m_images;
    std::unique_ptr<Services> m_services;
    QStringList m_allowedDomains;
    QList<QPair<QPointer<QObject>, WheelListener>> m_wheelListeners;
    QList<QPair<QPointer<QObject>, KeyListener>> m_keyListeners;
    bool m_builtInItemsHidden = false;
    void runAfterPaint();
    bool m_painted = false;
    int m_generation = 0; // a new movie forgets the old one's waiting work
    QList<QPair<QPointer<QObject>, std::function<void()>>> m_afterPaint;
    QPointer<SettingsPanel> m_settingsPanel;

    QPointer<Clip> m_pressed;
    QPointer<Clip> m_hover;
    QPointer<Clip> m_drag;
    QPointF m_dragOffset;
    QPointF m_lastMouse;
    QRectF m_dragBounds;
    bool m_widgetGrab = false;
};

} // namespace player
