// ivemba-player: plays a movie file or web address in a plain window. Nobody answers the
// movie's commands, so it runs as the browser edition.
#include "i18n/UiLanguage.h"
#include "movie/shell/IvembaMovie.h"
#include "player/MovieProgram.h"
#include "player/PlayerWidget.h"
#include "player/Services.h"
#include "player/Stage.h"

#include <QApplication>
#include <QTextStream>

namespace {

// Commands would go to the web page around the movie; here they only show on the console.
constexpr int kShownArgumentLength = 60;

} // namespace

int main(int argc, char** argv) {
    // The usage comes first: it needs no display.
    if (argc != 2 || argv[1][0] == '\0') {
        QTextStream(stderr) << "usage: ivemba-player <movie file | http:// address>\n";
        return 2;
    }
    QApplication app(argc, argv);
    i18n::useLanguage(app, i18n::systemLanguage());
    const QStringList args = QCoreApplication::arguments();

    player::MovieRegistry registry;
    shell::registerMovie(registry);
    player::PlayerWidget player(std::move(registry));
    player.stage().services().useSettings(common::Settings::atStart());
    player.setWindowTitle(QStringLiteral("iVemba"));
    player.setFixedSize(800, 600);
    QObject::connect(&player, &player::PlayerWidget::fsCommand,
                     [](const QString& name, const QString& argument) {
                         QString shown = argument.left(kShownArgumentLength);
                         if (argument.size() > kShownArgumentLength)
                             shown += QStringLiteral("…");
                         QTextStream(stderr) << "command " << name << " \"" << shown << "\"\n";
                     });
    QObject::connect(&player, &player::PlayerWidget::movieFailed, [](const QString& reason) {
        QTextStream(stderr) << "ivemba-player: " << reason << "\n";
    });
    player.show();
    player.loadMovie(args.at(1));
    return QApplication::exec();
}
