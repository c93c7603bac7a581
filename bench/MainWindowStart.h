#pragma once

// The desktop program's main window made and shown inside a benchmark, the way the host
// makes it at start, with dialogs that answer nothing.

#include "host/Dialogs.h"
#include "host/TForm1.h"
#include "movie/shell/IvembaMovie.h"
#include "player/PlayerWidget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <memory>

namespace benchsupport {

// Answers nothing; a message here means the start-up went wrong, which the run reports.
class SilentDialogs : public host::Dialogs {
public:
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    void message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    std::optional<QString> openFile(QWidget*, const host::FileRequest&) override { return {}; }
    std::optional<QString> saveFile(QWidget*, const host::FileRequest&) override { return {}; }
    void showModal(QDialog&) override {}
    void openUrl(const QUrl&) override {}
};

inline std::unique_ptr<host::TForm1> makeMainWindow(const QString& dir, SilentDialogs& dialogs) {
    player::MovieRegistry registry;
    shell::registerMovie(registry);
    return std::make_unique<host::TForm1>(
        host::TForm1::Setup{dir, &dialogs, std::move(registry), QStringLiteral("VEMBASWF"), {}});
}

// Shows `form` and runs the event loop until its movie's first frame is painted (10 s at
// most); returns the milliseconds `clock` reads then.
inline double showUntilFirstFrame(host::TForm1& form, const QElapsedTimer& clock) {
    bool painted = false;
    QObject::connect(form.ShockwaveFlash1, &player::PlayerWidget::firstFramePainted,
                     [&painted] { painted = true; });
    form.show();
    while (!painted && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace benchsupport
