#pragma once

#include "movie/shell/IvembaMovie.h"
#include "player/Clip.h"
#include "player/TextField.h"
#include "support/MoviePlayer.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace shelltest {

// The real movie bundle in a real player, driven frame by frame. `onCommand` plays the host:
// it sees each command while the movie waits for it. Each start plays in a new player, whose
// records begin empty.
class ShellMovie : public ::testing::Test {
protected:
    using CommandHandler = testsupport::MoviePlayer::CommandHook;

    // The player's settings, taken at each start.
    common::Settings settings = common::Settings::fromEnvironment();

    // Loads the movie and runs frames 1 and 2. With `hostAnswer` set, the host answers
    // "iVembaInited" by assigning it to `SetIdeType`, as the desktop host does.
    void start(std::optional<QString> hostAnswer = std::nullopt) {
        player::MovieRegistry registry;
        shell::registerMovie(registry);
        m_movie = std::make_unique<testsupport::MoviePlayer>(std::move(registry),
                                                             std::move(hostAnswer), settings);
        m_movie->onCommand = [this](const QString& name, const QString& arg) {
            if (onCommand)
                onCommand(name, arg);
        };
        m_movie->load(QStringLiteral(IVEMBA_TEST_BUNDLE));
        ASSERT_TRUE(widget().hasMovie());
        stage().clock().tick();
        ASSERT_EQ(root()->currentFrame(), 2);
    }

    [[nodiscard]] player::Stage& stage() const { return m_movie->stage(); }
    [[nodiscard]] player::Clip* root() const { return m_movie->root(); }
    [[nodiscard]] player::Clip* clip(const QString& path) const { return root()->resolve(path); }
    [[nodiscard]] player::PlayerWidget& widget() const { return m_movie->widget(); }
    [[nodiscard]] QStringList& commands() const { return m_movie->commands; }
    [[nodiscard]] QStringList& traces() const { return m_movie->traces; }
    [[nodiscard]] QStringList& opened() const { return m_movie->opened; }

    // A left click through the stage's own mouse routing.
    void click(QPointF scenePoint) const { m_movie->click(scenePoint); }

    CommandHandler onCommand;

private:
    std::unique_ptr<testsupport::MoviePlayer> m_movie;
};

} // namespace shelltest
