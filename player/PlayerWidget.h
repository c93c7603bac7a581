#pragma once

#include "player/MovieProgram.h"

#include <QGraphicsView>
#include <QPointer>
#include <memory>

namespace net {
class Transfer;
}

namespace player {

class MovieBundle;
class Stage;

// The player: plays one movie bundle on an 800×600 stage shown at 1:1 (scaled to fit,
// keeping its proportions, when the widget has another size). The host and the movie meet
// only here: loadMovie, setVariable, and the fsCommand signal.
class PlayerWidget : public QGraphicsView {
    Q_OBJECT
public:
    explicit PlayerWidget(MovieRegistry registry, QWidget* parent = nullptr);
    ~PlayerWidget() override;

    // Plays the movie at a file path, or at a file:// or http(s):// address, loaded in the
    // background. A file that is not a movie bundle gives an empty stage and a trace line.
    void loadMovie(const QString& location);
    // Sets a root variable of the movie; its watcher runs on every assignment. Safe to call
    // from any thread: from another thread the assignment is queued to the UI thread and
    // reaches the movie there.
    void setVariable(const QString& name, const QString& value);
    [[nodiscard]] QString variable(const QString& name) const;

    [[nodiscard]] Stage& stage() const { return *m_stage; }
    [[nodiscard]] bool hasMovie() const { return m_program != nullptr; }
    [[nodiscard]] bool hasPaintedFirstFrame() const { return m_painted; }
    // Largest movie file the player accepts.
    static constexpr qint64 kMaxMovieBytes = 256LL * 1024 * 1024;

signals:
    // A command raised by the movie, delivered synchronously while the movie waits.
    void fsCommand(const QString& name, const QString& argument);
    void movieStarted();
    void movieFailed(const QString& reason);
    void firstFramePainted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void unload();
    void play(QByteArray bytes, const QString& url);
    void fail(const QString& reason);

    MovieRegistry m_registry;
    Stage* m_stage;
    std::unique_ptr<MovieBundle> m_bundle;
    std::unique_ptr<MovieProgram> m_program;
    QPointer<net::Transfer> m_pending;
    bool m_painted = false;
};

} // namespace player
