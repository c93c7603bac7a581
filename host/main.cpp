#include "common/AfterWaitingEvents.h"
#include "host/ApplicationIcon.h"
#include "host/ProgramDirectory.h"
#include "host/QtDialogs.h"
#include "host/TForm1.h"
#include "host/TForm2.h"
#include "host/TerminationSignals.h"
#include "i18n/UiLanguage.h"
#include "movie/shell/IvembaMovie.h"
#include "player/PlayerWidget.h"
#include "updates/TForm3.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("iVemba"));
    // Chinese on a Chinese desktop, English on any other, Qt's own dialogs alike.
    i18n::useLanguage(app, i18n::systemLanguage());
    // A logout or a `kill` ends the program as its close button does, without asking. Set up
    // before the movie file is written, so no signal can leave it behind.
    host::TerminationSignals terminationSignals;

    // The environment and the user's preferences are read here, once: the site base, the
    // still-picture camera, and the camera and shutter choices of the player's settings.
    const common::Settings settings = common::Settings::atStart();
    host::QtDialogs dialogs;
    player::MovieRegistry registry;
    shell::registerMovie(registry);

    // The windows are made in this order, the main window first; its creation writes out
    // and starts the movie.
    // The border check starts when the main window is first shown, by then the border
    // update window exists.
    // Installed, the executable's folder is read-only; the program then runs from a per-user
    // folder seeded with the installed borders and help.
    const QString programDir = host::ProgramDirectory::resolve(
        host::ProgramDirectory::standardPlaces(QCoreApplication::applicationDirPath()));
    updates::TForm3* form3 = nullptr;
    host::TForm1 form1(
        {.programDir = programDir,
         .dialogs = &dialogs,
         .registry = std::move(registry),
         .movieResource = QStringLiteral("VEMBASWF"),
         .borderCheck = [&form3](std::stop_token stop) { form3->StartupCheck(std::move(stop)); },
         .settings = settings});
    auto* form2 = new host::TForm2(dialogs, &form1, settings.siteUrl(QStringLiteral("/")));
    form3 = new updates::TForm3(
        {.programDir = programDir,
         .setVariable =
             [player = form1.ShockwaveFlash1](const QString& name, const QString& value) {
                 player->setVariable(name, value);
             },
         .siteBase = settings.siteBase,
         .widgetsLater = true},
        &form1);
    form1.setAboutWindow(form2);
    form1.setBorderUpdateWindow(form3);
    QObject::connect(&terminationSignals, &host::TerminationSignals::received, &form1,
                     &QWidget::close);

    // Decoding the icon's seven sizes and making the border window's widgets would hold up
    // the first frame; they come a moment after it, unless the window closed meanwhile.
    QObject::connect(
        form1.ShockwaveFlash1, &player::PlayerWidget::firstFramePainted, &form1,
        [&app, &form1, form3] {
            common::afterWaitingEvents(&form1, [&app, &form1] {
                if (form1.isVisible())
                    app.setWindowIcon(host::applicationIcon());
            });
            common::afterWaitingEvents(form3, [&form1, form3] {
                if (form1.isVisible())
                    form3->makeWidgets();
            });
        },
        Qt::SingleShotConnection);

    // Start-up is measured from outside the process: with IVEMBA_QUIT_AFTER_FIRST_FRAME set,
    // the program says so on standard output once the movie's first frame is painted, then
    // quits the usual way (the movie file is removed as at any other exit).
    if (qEnvironmentVariableIsSet("IVEMBA_QUIT_AFTER_FIRST_FRAME"))
        QObject::connect(
            form1.ShockwaveFlash1, &player::PlayerWidget::firstFramePainted, &form1,
            [&form1] {
                std::fputs("first frame painted\n", stdout);
                std::fflush(stdout);
                QTimer::singleShot(0, &form1, &QWidget::close);
            },
            Qt::SingleShotConnection);

    form1.show();
    return app.exec();
}
