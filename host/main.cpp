#include "host/ApplicationIcon.h"
#include "host/QtDialogs.h"
#include "host/StartupBorderCheck.h"
#include "host/TForm1.h"
#include "host/TForm2.h"
#include "host/TForm3.h"
#include "movie/shell/IvembaMovie.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("iVemba"));
    app.setWindowIcon(host::applicationIcon());

    host::QtDialogs dialogs;
    player::MovieRegistry registry;
    shell::registerMovie(registry);

    // The windows are made in this order, the main window first; its creation writes out
    // and starts the movie.
    host::TForm1 form1({QCoreApplication::applicationDirPath(), &dialogs, std::move(registry),
                        QStringLiteral("VEMBASWF"), host::startupBorderCheck});
    auto* form2 = new host::TForm2(dialogs, &form1);
    auto* form3 = new host::TForm3(&form1);
    form1.setAboutWindow(form2);
    form1.setBorderUpdateWindow(form3);

    form1.show();
    return app.exec();
}
