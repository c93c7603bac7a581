#pragma once

#include "movie/shell/IvembaMovie.h"
#include "player/Clip.h"
#include "player/MovieProgram.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCoreApplication>
#include <QGraphicsSceneMouseEvent>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace shelltest {

// The real movie bundle in a real player, driven frame by frame. `onCommand` plays the host:
// it sees each command while the movie waits for it.
class ShellMovie : public ::testing::Test {
protected:
    using CommandHandler = std::function<void(const QString& name, const QString& arg)>;

    // Loads the movie and runs frames 1 and 2. With `hostAnswer` set, the host answers
    // "iVembaInited" by assigning it to `SetIdeType`, as the desktop host does.
    void start(std::optional<QString> hostAnswer = std::nullopt) {
        player::MovieRegistry registry;
        shell::registerMovie(registry);
        m_player = std::make_unique<player::PlayerWidget>(std::move(registry));
        m_player->resize(800, 600);
        stage().setAddressOpener(
            [this](const QString& url, const QString& target) { opened << url + " " + target; });
        QObject::connect(&stage(), &player::Stage::traced,
                         [this](const QString& text) { traces << text; });
        QObject::connect(m_player.get(), &player::PlayerWidget::fsCommand,
                         [this, hostAnswer](const QString& name, const QString& arg) {
                             commands << name + "|" + arg;
                             if (onCommand)
                                 onCommand(name, arg);
                             if (hostAnswer && name == QLatin1String("iVembaInited"))
                                 m_player->setVariable(QStringLiteral("SetIdeType"), *hostAnswer);
                         });
        m_player->loadMovie(QStringLiteral(IVEMBA_TEST_BUNDLE));
        ASSERT_TRUE(m_player->hasMovie());
        stage().clock().tick();
        ASSERT_EQ(root()->currentFrame(), 2);
    }

    [[nodiscard]] player::Stage& stage() const { return m_player->stage(); }
    [[nodiscard]] player::Clip* root() const { return stage().root(); }
    [[nodiscard]] player::Clip* clip(const QString& path) const { return root()->resolve(path); }
    [[nodiscard]] player::PlayerWidget& widget() const { return *m_player; }

    // A left click through the stage's own mouse routing.
    void click(QPointF scenePoint) {
        mouse(QEvent::GraphicsSceneMousePress, scenePoint);
        mouse(QEvent::GraphicsSceneMouseRelease, scenePoint);
    }

    QStringList commands;
    QStringList traces;
    QStringList opened;
    CommandHandler onCommand;

private:
    void mouse(QEvent::Type type, QPointF scenePoint) {
        QGraphicsSceneMouseEvent event(type);
        event.setScenePos(scenePoint);
        event.setButton(Qt::LeftButton);
        event.setButtons(type == QEvent::GraphicsSceneMousePress ? Qt::LeftButton : Qt::NoButton);
        QCoreApplication::sendEvent(&stage(), &event);
    }

    std::unique_ptr<player::PlayerWidget> m_player;
};

} // namespace shelltest
