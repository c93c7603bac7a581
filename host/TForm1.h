#pragma once

#include "common/Settings.h"
#include "host/FileDialog.h"
#include "player/MovieProgram.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stop_token>
#include <thread>

class QDialog;
class QWindow;

namespace player {
class PlayerWidget;
}

namespace updates {
class TForm3;
}

namespace host {

class Dialogs;

// The main window: borderless, 800×600, its whole client area the player. It writes out
// and plays the movie, answers the movie's commands and removes the movie file when it is
// destroyed.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    struct Setup {
        QString programDir;         // the executable's folder, without a trailing slash
        Dialogs* dialogs = nullptr; // must outlive the window
        player::MovieRegistry registry;
        QString movieResource = QStringLiteral("VEMBASWF"); // under ":/"
        std::function<void(std::stop_token)> borderCheck;
        // Hands the window to the system to move with the mouse; tests see the request.
        std::function<void(QWindow&)> moveWindow;
        // Read once at start; the player gets a copy.
        common::Settings settings = common::Settings::fromEnvironment();
    };

    static constexpr QSize kClientSize{800, 600};
    static constexpr int kCloseDelayMs = 200;

    explicit TForm1(Setup setup, QWidget* parent = nullptr);
    ~TForm1() override;

    // The other two windows, made after this one; commands open them.
    void setAboutWindow(QDialog* about);
    void setBorderUpdateWindow(updates::TForm3* window);

    [[nodiscard]] const QString& programDir() const { return m_programDir; }
    [[nodiscard]] QString movieFile() const;
    [[nodiscard]] QString overrideMovieFile() const;

    void ShockwaveFlash1FSCommand(const QString& command, const QString& args);

    // Components.
    player::PlayerWidget* ShockwaveFlash1;
    QTimer Timer1;
    FileDialog OpenDialog1;
    FileDialog SaveDialog1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void startBorderCheck();
    void FormDestroy();
    void Timer1Timer();
    void dispatch(const QString& command, const QString& args);
    void loadMovie();
    void startDrag();
    void askQuit();
    void askNewVersion(const QString& args);
    void showAbout();
    void showBorderUpdate();
    void selectPictureFile(const QString& args);

    QString m_programDir;
    Dialogs& m_dialogs;
    QString m_movieResource;
    std::function<void(std::stop_token)> m_borderCheckProc;
    std::function<void(QWindow&)> m_moveWindow;
    QPointer<QDialog> m_about;
    QPointer<updates::TForm3> m_borderUpdate;
    bool m_shown = false;
    std::jthread m_borderCheck;
};

} // namespace host
