#include "host/TForm1.h"

#include "common/AfterWaitingEvents.h"
#include "host/Dialogs.h"
#include "host/Error.h"
#include "host/FileWriter.h"
#include "host/PhotoExport.h"
#include "movie/common/ChannelCommands.h"
#include "player/PlayerWidget.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "updates/TForm3.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <system_error>

namespace host {

namespace {
// Description|patterns pairs; only the descriptions are the user's language.
QString pictureFilter() {
    return TForm1::tr("PNG格式") + QStringLiteral("|*.PNG|") + TForm1::tr("JPG格式") +
           QStringLiteral("|*.JPG|") + TForm1::tr("GIF格式") + QStringLiteral("|*.GIF|") +
           TForm1::tr("全部") + QStringLiteral("|*.PNG;*.jpg;*.gif");
}
QString photoFilter() {
    return TForm1::tr("JPG格式") + QStringLiteral("|*.JPG");
}
constexpr int kAllPicturesFilter = 3;
} // namespace

TForm1::TForm1(Setup setup, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      ShockwaveFlash1(new player::PlayerWidget(std::move(setup.registry), this)),
      OpenDialog1(FileDialog::Mode::Open, pictureFilter(), kAllPicturesFilter),
      SaveDialog1(FileDialog::Mode::Save, photoFilter(), 0, QStringLiteral("jpg")),
      m_programDir(std::move(setup.programDir)), m_dialogs(*setup.dialogs),
      m_movieResource(std::move(setup.movieResource)),
      m_borderCheckProc(std::move(setup.borderCheck)), m_moveWindow(std::move(setup.moveWindow)) {
    setFixedSize(kClientSize);
    ShockwaveFlash1->stage().services().useSettings(std::move(setup.settings));
    // Every photo card is kept in the program directory, so the movie finds them again
    // at the next start.
    ShockwaveFlash1->stage().services().photos =
        player::PhotoFolder(m_programDir + QStringLiteral("/photos"));
    // Photos belong in the user's Pictures folder, not wherever the program was started.
    SaveDialog1.setStartFolder(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    ShockwaveFlash1->setGeometry(QRect(QPoint(0, 0), kClientSize));
    Timer1.setInterval(kCloseDelayMs);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(ShockwaveFlash1, &player::PlayerWidget::fsCommand, this,
            &TForm1::ShockwaveFlash1FSCommand);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TForm1::~TForm1() {
    if (m_borderCheck.joinable()) {
        m_borderCheck.request_stop();
        m_borderCheck.join();
    }
    // The worker may be in the middle of a package; it ends at its next step or transfer
    // poll, with every file it wrote complete, before the movie file goes.
    if (m_borderUpdate)
        m_borderUpdate->stopWorker();
    FormDestroy();
}

void TForm1::setAboutWindow(QDialog* about) {
    m_about = about;
}

void TForm1::setBorderUpdateWindow(updates::TForm3* window) {
    m_borderUpdate = window;
}

QString TForm1::movieFile() const {
    return m_programDir + QStringLiteral("/ivemba.swf");
}

QString TForm1::overrideMovieFile() const {
    return m_programDir + QStringLiteral("/_ivemba.swf");
}

void TForm1::FormCreate() {
    try {
        loadMovie();
    } catch (const std::exception& e) {
        // The window opens without a movie; there is no other place to try.
        m_dialogs.message(this, errorText(e));
    }
}

void TForm1::loadMovie() {
    if (QFileInfo(overrideMovieFile()).isFile()) {
        ShockwaveFlash1->loadMovie(overrideMovieFile());
        return;
    }
    QFile resource(QStringLiteral(":/") + m_movieResource);
    if (!resource.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Resource %1 not found").arg(m_movieResource));
    // Written at every start and removed at the end: worth no wait for the disc.
    writeScratchFile(movieFile(), resource.readAll());
    ShockwaveFlash1->loadMovie(movieFile());
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A restore from the task bar is not a first showing.
    if (!event->spontaneous() && !m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    if (!m_borderCheckProc)
        return;
    // The check loads the web library and reads the disc on another thread. Begun while the
    // window is still coming up, it holds the window up (the process has one library loader,
    // and the window's own first steps load libraries too), so it begins once the first frame
    // is painted, or after a moment in a window that paints nothing.
    if (ShockwaveFlash1->hasPaintedFirstFrame()) {
        startBorderCheck();
        return;
    }
    connect(
        ShockwaveFlash1, &player::PlayerWidget::firstFramePainted, this,
        [this] { common::afterWaitingEvents(this, [this] { startBorderCheck(); }); },
        Qt::SingleShotConnection);
    QTimer::singleShot(player::Stage::kFirstPaintWaitMs, this, &TForm1::startBorderCheck);
}

void TForm1::startBorderCheck() {
    // A window closed before the check began has no use for it.
    if (m_borderCheck.joinable() || !isVisible())
        return;
    try {
        m_borderCheck = std::jthread(m_borderCheckProc);
    } catch (const std::system_error&) {
        // Without a thread the check simply does not run.
    }
}

void TForm1::FormDestroy() {
    // The override movie is never ours to remove.
    QFile::remove(movieFile());
}

void TForm1::Timer1Timer() {
    Timer1.stop();
    close();
}

void TForm1::ShockwaveFlash1FSCommand(const QString& command, const QString& args) {
    try {
        dispatch(command, args);
    } catch (const std::exception& e) {
        m_dialogs.message(this, errorText(e));
    }
}

void TForm1::dispatch(const QString& command, const QString& args) {
    if (command == channel::kInited) {
        ShockwaveFlash1->setVariable(QStringLiteral("SetIdeType"), QStringLiteral("soft"));
    } else if (command == channel::kSavePhotoStart) {
        // The movie announces a save; the photo itself follows.
    } else if (command == channel::kSavePhoto) {
        PhotoExport(m_dialogs, SaveDialog1, this).run(args);
    } else if (command == channel::kMoveWindow) {
        startDrag();
    } else if (command == channel::kQuitProgram) {
        askQuit();
    } else if (command == channel::kSetBordersInfo) {
        // Understood, and nothing to do.
    } else if (command == channel::kDownloadNewBorder) {
        showBorderUpdate();
    } else if (command == channel::kWhoAreYou) {
        ShockwaveFlash1->setVariable(QStringLiteral("areyouivemba"),
                                     QStringLiteral("quorle-ivemba"));
    } else if (command == channel::kNewVersion) {
        askNewVersion(args);
    } else if (command == channel::kAbout) {
        showAbout();
    } else if (command == channel::kMinimise) {
        showMinimized();
    } else if (command == channel::kRequestHelp) {
        // The page in the program's language, which the catalogue names; the Chinese page
        // when a program folder has no such page.
        const QString page = m_programDir + tr("/help/index.htm");
        m_dialogs.openUrl(QUrl::fromLocalFile(
            QFileInfo::exists(page) ? page : m_programDir + QStringLiteral("/help/index.htm")));
    } else if (command == channel::kSelectPictureFile) {
        selectPictureFile(args);
    }
}

void TForm1::startDrag() {
    // The system moves the window with the mouse for as long as the button stays down.
    QWindow* window = windowHandle();
    if (!window)
        return;
    if (m_moveWindow)
        m_moveWindow(*window);
    else
        window->startSystemMove();
}

void TForm1::askQuit() {
    if (m_dialogs.question(this, tr("退出确认"), tr("您确定要退出么？")))
        Timer1.start(); // closes from the timer, never inside the movie's command
}

void TForm1::askNewVersion(const QString& args) {
    if (m_about && m_about->isVisible())
        m_about->close();
    if (m_dialogs.question(this, tr("版本更新"),
                           tr("检测到更新的版本,需要打开下载页面进行软件升级吗?")))
        ShockwaveFlash1->setVariable(QStringLiteral("OnGotoDownload"), args);
}

void TForm1::showAbout() {
    if (m_about)
        m_dialogs.showModal(*m_about);
}

void TForm1::showBorderUpdate() {
    if (!m_borderUpdate)
        return;
    m_borderUpdate->show();
    m_borderUpdate->raise();
    m_borderUpdate->activateWindow();
}

void TForm1::selectPictureFile(const QString& args) {
    if (const std::optional<QString> path = OpenDialog1.execute(m_dialogs, this))
        ShockwaveFlash1->setVariable(QStringLiteral("OnSelectFiledOK"),
                                     QDir::toNativeSeparators(*path) + u'|' + args);
}

} // namespace host
