#pragma once

#include "common/Settings.h"
#include "player/MovieProgram.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"

#include <QEvent>
#include <QPointF>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace testsupport {

// A real player of the movie programs in a registry, and everything the movie says to the
// world outside it, in the order it says it: its traces, the commands the host receives and
// the addresses it opens. Nothing leaves the process: an opened address is only recorded,
// and a file, save or printer chooser no test scripted answers "cancelled".
class MoviePlayer {
public:
    using CommandHook = std::function<void(const QString& name, const QString& argument)>;

    // With `hostAnswer` set, the host answers "iVembaInited" by assigning it to
    // `SetIdeType`, as the desktop host does; without it there is no host, as in a browser.
    // `settings` are the player's, as a host hands them over (the site, the camera).
    explicit MoviePlayer(player::MovieRegistry registry,
                         std::optional<QString> hostAnswer = std::nullopt,
                         common::Settings settings = common::Settings::fromEnvironment());
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // Plays the bundle at `location`; a bundle on disc has run its first frame on return.
    void load(const QString& location);

    [[nodiscard]] player::PlayerWidget& widget() const { return *m_player; }
    [[nodiscard]] player::Stage& stage() const { return m_player->stage(); }
    [[nodiscard]] player::Clip* root() const { return stage().root(); }
    [[nodiscard]] bool traced(const QString& line) const { return traces.contains(line); }
    [[nodiscard]] bool tracedStartingWith(const QString& start) const {
        return std::any_of(traces.begin(), traces.end(),
                           [&start](const QString& line) { return line.startsWith(start); });
    }

    // The left button through the stage's own mouse routing; a move drags with it held.
    void press(QPointF scenePoint) const;
    void move(QPointF scenePoint) const;
    void release(QPointF scenePoint) const;
    void click(QPointF scenePoint) const;

    QStringList traces;
    // What the host receives, "name|argument"; see commandName and commandArgument.
    QStringList commands;
    QStringList opened; // "url target"
    // Plays the host: sees each command while the movie waits for it, before the handshake
    // is answered.
    CommandHook onCommand;

private:
    void mouse(QEvent::Type type, QPointF scenePoint, Qt::MouseButton button,
               Qt::MouseButtons buttons) const;

    std::unique_ptr<player::PlayerWidget> m_player;
};

// A registry in which `Program` stands in for the bundle's own movie program.
template <class Program> [[nodiscard]] player::MovieRegistry registryOf() {
    player::MovieRegistry registry;
    registry.add(QStringLiteral("ivemba"), [] { return std::make_unique<Program>(); });
    return registry;
}

// The parts of a recorded command. Command names never hold a '|'; arguments may.
[[nodiscard]] QString commandName(const QString& command);
[[nodiscard]] QString commandArgument(const QString& command);

} // namespace testsupport
