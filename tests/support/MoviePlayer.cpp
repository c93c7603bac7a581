#include "support/MoviePlayer.h"

#include "player/Services.h"

#include <QCoreApplication>
#include <QGraphicsSceneMouseEvent>
#include <QPrinter>

namespace testsupport {

MoviePlayer::MoviePlayer(player::MovieRegistry registry, std::optional<QString> hostAnswer,
                         common::Settings settings)
    : m_player(std::make_unique<player::PlayerWidget>(std::move(registry))) {
    m_player->resize(800, 600);
    stage().services().useSettings(std::move(settings));
    QObject::connect(&stage(), &player::Stage::traced,
                     [this](const QString& line) { traces.append(line); });
    stage().setAddressOpener([this](const QString& url, const QString& target) {
        opened.append(url + QLatin1Char(' ') + target);
    });
    // No test may wait on a real dialog: unless a test scripts them, the choosers answer
    // "cancelled" at once.
    stage().services().chooseFile = [](const QString&) { return QString(); };
    stage().services().chooseSaveFile = [](const QString&) { return QString(); };
    stage().services().choosePrinter = [](QWidget*) { return std::unique_ptr<QPrinter>(); };
    stage().services().openStickerSheet = [](const QList<QImage>&, int, QWidget*) {};
    // The widget's signal, not the stage's: it is the one the host connects to.
    QObject::connect(
        m_player.get(), &player::PlayerWidget::fsCommand,
        [this, hostAnswer = std::move(hostAnswer)](const QString& name, const QString& argument) {
            commands.append(name + QLatin1Char('|') + argument);
            if (onCommand)
                onCommand(name, argument);
            if (hostAnswer && name == QLatin1String("iVembaInited"))
                m_player->setVariable(QStringLiteral("SetIdeType"), *hostAnswer);
        });
}

MoviePlayer::~MoviePlayer() = default;

void MoviePlayer::load(const QString& location) {
    m_player->loadMovie(location);
}

void MoviePlayer::press(QPointF scenePoint) const {
    mouse(QEvent::GraphicsSceneMousePress, scenePoint, Qt::LeftButton, Qt::LeftButton);
}

void MoviePlayer::move(QPointF scenePoint) const {
    mouse(QEvent::GraphicsSceneMouseMove, scenePoint, Qt::NoButton, Qt::LeftButton);
}

void MoviePlayer::release(QPointF scenePoint) const {
    mouse(QEvent::GraphicsSceneMouseRelease, scenePoint, Qt::LeftButton, Qt::NoButton);
}

void MoviePlayer::click(QPointF scenePoint) const {
    press(scenePoint);
    release(scenePoint);
}

void MoviePlayer::mouse(QEvent::Type type, QPointF scenePoint, Qt::MouseButton button,
                        Qt::MouseButtons buttons) const {
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(scenePoint);
    event.setButton(button);
    event.setButtons(buttons);
    QCoreApplication::sendEvent(&stage(), &event);
}

QString commandName(const QString& command) {
    return command.section(QLatin1Char('|'), 0, 0);
}

QString commandArgument(const QString& command) {
    return command.section(QLatin1Char('|'), 1);
}

} // namespace testsupport
