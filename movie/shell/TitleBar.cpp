#include "movie/shell/TitleBar.h"

#include "movie/common/ChannelCommands.h"
#include "movie/widgets/Button.h"
#include "player/Stage.h"

#include <QPainter>

namespace shell {

using player::Clip;

namespace {

struct WindowButton {
    const char* name;
    int depth;
    QPointF pos;
    const char* art;
    QStringView command;
};

constexpr WindowButton kWindowButtons[] = {
    {"but_quit", 137, {767.05, 7.85}, "quit", channel::kQuitProgram},
    {"but_help", 140, {718.45, 7.85}, "help", channel::kRequestHelp},
    {"but_miniapp", 143, {743.45, 7.85}, "mini", channel::kMinimise},
};

void raise(Clip* root, const QString& command, const QString& argument) {
    if (player::Stage* stage = root->stage())
        stage->fsCommand(command, argument);
}

} // namespace

void placeWindowPicture(Clip& root) {
    Clip* picture = root.createEmptyMovieClip(QString(), 1);
    if (player::Stage* stage = root.stage())
        picture->setImage(stage->image(QStringLiteral("art/window.png")));
}

void placeTitleStrip(Clip& root) {
    Clip* strip = root.createEmptyMovieClip(QStringLiteral("bg_mc"), 7);
    strip->setPos(-1, 1);
    strip->setRect(QRectF(0, 0, 804, 62), QColor(255, 255, 255, 18));
    // The strip moves the window; a hand over the whole title would read as a link.
    strip->setUseHandCursor(false);
}

void placeAboutButton(Clip& root) {
    widgets::makeImageButton(
        root, QStringLiteral("softinfo_button"), 128, {14.35, 8.55},
        {QStringLiteral("art/logo.png"), QStringLiteral("art/logo_over.png"), QString()});
}

void placeOutline(Clip& root) {
    Clip* outline = root.createEmptyMovieClip(QStringLiteral("软件边框_mc"), 130);
    outline->setContent(QRectF(0, 0, 800, 600), [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 799, 599));
    });
}

void placeWindowButtons(Clip& root) {
    for (const WindowButton& b : kWindowButtons) {
        const QString art = QStringLiteral("art/") + QLatin1String(b.art);
        widgets::makeImageButton(
            root, QLatin1String(b.name), b.depth, b.pos,
            {art + QStringLiteral(".png"), art + QStringLiteral("_over.png"), QString()});
    }
}

void hideWindowButtons(Clip& root) {
    for (const WindowButton& b : kWindowButtons) {
        if (Clip* button = root.child(QLatin1String(b.name)))
            button->hide();
    }
}

void attachWindowHandlers(Clip& root) {
    Clip* r = &root;
    if (Clip* strip = root.child(QStringLiteral("bg_mc")))
        strip->onPress([r] { raise(r, channel::kMoveWindow.toString(), QStringLiteral("-")); });
    for (const WindowButton& b : kWindowButtons) {
        const QString command = b.command.toString();
        if (Clip* button = root.child(QLatin1String(b.name)))
            button->onRelease([r, command] { raise(r, command, QStringLiteral("-")); });
    }
}

void attachAboutHandler(Clip& root) {
    Clip* r = &root;
    if (Clip* about = root.child(QStringLiteral("softinfo_button")))
        about->onRelease([r] { raise(r, channel::kAbout.toString(), QString()); });
}

} // namespace shell
