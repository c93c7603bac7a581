// ivemba-artwork <repo root>: draws every picture and sound the program ships.
#include "AboutArt.h"
#include "BadgeArt.h"
#include "ButtonArt.h"
#include "Canvas.h"
#include "ListArt.h"
#include "SoundSynth.h"
#include "WindowArt.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextStream>
#include <exception>

namespace {

using namespace artwork;

void writeMovieArt(const QString& dir) {
    saveImage(window::background(), dir + "/window.png", {800, 600});
    saveImage(window::capturePanel(), dir + "/panel.png", {800, 439});
    saveImage(window::tabHighlight(), dir + "/tab_highlight.png", {120, 30});
    saveImage(badge::draw(36), dir + "/logo.png", {36, 36});
    saveImage(badge::draw(36, true), dir + "/logo_over.png", {36, 36});

    using buttons::WindowGlyph;
    const struct {
        WindowGlyph glyph;
        const char* name;
    } windowButtons[] = {
        {WindowGlyph::Quit, "quit"}, {WindowGlyph::Help, "help"}, {WindowGlyph::Minimise, "mini"}};
    for (const auto& b : windowButtons) {
        saveImage(buttons::windowButton(b.glyph, false), dir + "/" + b.name + ".png", {19, 19});
        saveImage(buttons::windowButton(b.glyph, true), dir + "/" + b.name + "_over.png", {19, 19});
    }

    using buttons::ShutterState;
    saveImage(buttons::shutter(ShutterState::Up), dir + "/shutter.png", {100, 100});
    saveImage(buttons::shutter(ShutterState::Over), dir + "/shutter_over.png", {100, 100});
    saveImage(buttons::shutter(ShutterState::Down), dir + "/shutter_down.png", {100, 100});

    using buttons::CardAction;
    saveImage(buttons::cardIcon(CardAction::Delete), dir + "/card_delete.png", {50, 50});
    saveImage(buttons::cardIcon(CardAction::Print), dir + "/card_print.png", {50, 50});
    saveImage(buttons::cardIcon(CardAction::Save), dir + "/card_save.png", {50, 50});

    saveImage(buttons::textButton(false), dir + "/button.png", {90, 24});
    saveImage(buttons::textButton(true), dir + "/button_over.png", {90, 24});

    saveImage(list::area(), dir + "/list_area.png", {750, 213});
    saveImage(list::item(), dir + "/list_item.png", {114, 88});
}

void writeSounds(const QString& dir) {
    // Peaks differ so the three sound about equally loud: a pure tone carries
    // far more energy than a click at the same peak, and the blip plays often.
    sound::writeWave(sound::shutterClick(), -6.0, dir + "/shutter.wav");
    sound::writeWave(sound::rolloverBlip(), -12.0, dir + "/rollover.wav");
    sound::writeWave(sound::deleteWhoosh(), -8.0, dir + "/delete.wav");
    // The ticks play once a second near the user's ear; the last cue must stand out.
    sound::writeWave(sound::countdownTick(), -12.0, dir + "/countdown_tick.wav");
    sound::writeWave(sound::countdownLast(), -9.0, dir + "/countdown_last.wav");
}

void writeAbout(const QString& dir) {
    // One picture per language the program speaks. The About window lays an invisible click
    // area over the printed address; the text must not spill out of it.
    const std::pair<about::Texts, QString> pictures[] = {
        {about::Texts::chinese(), QStringLiteral("/about.jpg")},
        {about::Texts::english(), QStringLiteral("/about_en.jpg")}};
    for (const auto& [texts, name] : pictures) {
        const QRect ink = about::addressInk(texts);
        QTextStream(stdout) << "about" << name << ": address ink " << ink.x() << "," << ink.y()
                            << " " << ink.width() << "x" << ink.height() << "\n";
        if (!about::addressHotSpot().contains(ink))
            throw std::runtime_error("About address text leaves its click area");
        saveImage(about::draw(texts), dir + name, {490, 265}, 92);
    }
}

void writeIcons(const QString& dir) {
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        saveImage(badge::draw(size), dir + QString("/ivemba_%1.png").arg(size), {size, size});
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: ivemba-artwork <repo root>\n";
        return 2;
    }
    const QString fontFile = QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");
    if (QFontDatabase::addApplicationFont(fontFile) < 0) {
        QTextStream(stderr) << "cannot load " << fontFile << "\n";
        return 1;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    try {
        writeMovieArt(root + "/resources/movie/art");
        writeSounds(root + "/resources/movie/sounds");
        writeAbout(root + "/resources/about");
        writeIcons(root + "/resources/icon");
    } catch (const std::exception& e) {
        QTextStream(stderr) << "ivemba-artwork: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
