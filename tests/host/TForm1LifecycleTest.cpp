#include "HostFixture.h"
#include "host/ApplicationIcon.h"
#include "support/Wait.h"

#include <QFile>
#include <QTimer>
#include <atomic>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

using MovieFile = HostFixture;

TEST_F(MovieFile, WrittenFromTheResourceAndGoneAtExit) {
    writeFile(dir.filePath("ivemba.swf"), "stale movie from a crash");
    start();
    const QByteArray resource = readAll(":/VEMBASWF");
    ASSERT_FALSE(resource.isEmpty());
    EXPECT_EQ(readAll(dir.filePath("ivemba.swf")), resource) << "byte for byte";
    EXPECT_TRUE(form1->ShockwaveFlash1->hasMovie());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    form1.reset();
    EXPECT_FALSE(QFile::exists(dir.filePath("ivemba.swf")));
}

TEST_F(MovieFile, OverrideIsPlayedAndNeverTouched) {
    const QByteArray movie = readAll(":/VEMBASWF");
    writeFile(dir.filePath("_ivemba.swf"), movie);
    start();
    EXPECT_FALSE(QFile::exists(dir.filePath("ivemba.swf"))) << "nothing extracted";
    EXPECT_TRUE(form1->ShockwaveFlash1->hasMovie());
    // A movie file left from another run goes at exit; the override stays.
    writeFile(dir.filePath("ivemba.swf"), movie);
    form1.reset();
    EXPECT_FALSE(QFile::exists(dir.filePath("ivemba.swf")));
    EXPECT_EQ(readAll(dir.filePath("_ivemba.swf")), movie);
}

TEST_F(MovieFile, GarbageOverrideGivesAnEmptyStage) {
    writeFile(dir.filePath("_ivemba.swf"), QByteArray(5000, '\x5a'));
    start();
    EXPECT_FALSE(form1->ShockwaveFlash1->hasMovie());
    form1->show();
    testsupport::spin(100);
    form1->ShockwaveFlash1FSCommand("whoareyou", "");
    EXPECT_EQ(form1->ShockwaveFlash1->variable("areyouivemba"), "quorle-ivemba");
    form1.reset();
    EXPECT_TRUE(QFile::exists(dir.filePath("_ivemba.swf")));
}

TEST_F(MovieFile, DirectoryOverrideIsNotAMovieFile) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("_ivemba.swf"));
    start();
    EXPECT_TRUE(QFile::exists(dir.filePath("ivemba.swf")));
    EXPECT_TRUE(form1->ShockwaveFlash1->hasMovie());
}

struct UnwritableCase {
    const char* name;
    const char* programDir; // below the test's folder; "file" is a regular file there
};

class UnwritableProgramDir : public HostFixture,
                             public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableProgramDir, ShowsCannotCreateAndOpensEmpty) {
    writeFile(dir.filePath("file"), "a file, not a folder");
    const QString programDir = dir.filePath(GetParam().programDir);
    start(quietRegistry(), programDir);
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QString prefix = "Cannot create file \"" + programDir + "/ivemba.swf\". ";
    EXPECT_TRUE(dialogs.messages[0].startsWith(prefix)) << dialogs.messages[0].toStdString();
    EXPECT_GT(dialogs.messages[0].size(), prefix.size()) << "the system's reason follows";
    EXPECT_FALSE(form1->ShockwaveFlash1->hasMovie());
    form1->show();
    EXPECT_TRUE(form1->isVisible());
    form1.reset(); // nothing to delete, nothing to report
    EXPECT_EQ(dialogs.messages.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Folders, UnwritableProgramDir,
                         ::testing::Values(UnwritableCase{"ParentIsAFile", "file"},
                                           UnwritableCase{"Missing", "missing/bin"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MovieFile, MissingResourceIsReported) {
    start(quietRegistry(), {}, "NOSUCHMOVIE");
    EXPECT_EQ(dialogs.messages, QStringList{"Resource NOSUCHMOVIE not found"});
    EXPECT_FALSE(form1->ShockwaveFlash1->hasMovie());
    EXPECT_FALSE(QFile::exists(dir.filePath("ivemba.swf")));
}

using MainWindow = HostFixture;

TEST_F(MainWindow, FramelessAndFilledByThePlayer) {
    start();
    EXPECT_TRUE(form1->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form1->size(), QSize(800, 600));
    EXPECT_EQ(form1->minimumSize(), form1->maximumSize());
    EXPECT_EQ(form1->ShockwaveFlash1->geometry(), QRect(0, 0, 800, 600));
    EXPECT_FALSE(form1->Timer1.isActive());
    EXPECT_EQ(form1->Timer1.interval(), 200);
    EXPECT_FALSE(form2->isVisible());
    EXPECT_FALSE(form3->isVisible());
}

TEST(ApplicationIcon, CarriesEverySize) {
    const QIcon icon = host::applicationIcon();
    EXPECT_GE(icon.availableSizes().size(), 7);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
}

// The start-up check runs on its own thread once the window is first shown and its first
// frame painted, and the window asks it to stop and waits for it when the program ends.
TEST_F(MainWindow, BorderCheckRunsOnceAndIsJoinedAtExit) {
    std::atomic<int> runs = 0;
    std::atomic<bool> stopped = false;
    std::atomic<bool> onUiThread = false;
    std::atomic<bool> painted = false;
    std::atomic<bool> paintedBeforeTheCheck = false;
    const auto uiThread = std::this_thread::get_id();
    form1 = std::make_unique<host::TForm1>(host::TForm1::Setup{
        dir.path(), &dialogs, quietRegistry(), "VEMBASWF", [&](std::stop_token stop) {
            ++runs;
            onUiThread = std::this_thread::get_id() == uiThread;
            paintedBeforeTheCheck = painted.load();
            while (!stop.stop_requested())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            stopped = true;
        }});
    QObject::connect(form1->ShockwaveFlash1, &player::PlayerWidget::firstFramePainted,
                     [&] { painted = true; });
    EXPECT_EQ(runs, 0) << "not before the window is shown";
    form1->show();
    ASSERT_TRUE(testsupport::waitUntil([&] { return runs == 1; }));
    form1->hide();
    form1->show();
    testsupport::spin(50);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(onUiThread);
    EXPECT_TRUE(paintedBeforeTheCheck) << "not before the window's first frame";
    form1.reset();
    EXPECT_TRUE(stopped);
}

TEST_F(MainWindow, WindowClosedOnItsFirstFrameNeverStartsTheBorderCheck) {
    std::atomic<int> runs = 0;
    form1 = std::make_unique<host::TForm1>(host::TForm1::Setup{
        dir.path(), &dialogs, quietRegistry(), "VEMBASWF", [&](std::stop_token) { ++runs; }});
    // As a quit right after the first frame asks for it.
    QObject::connect(
        form1->ShockwaveFlash1, &player::PlayerWidget::firstFramePainted, form1.get(),
        [&] { QTimer::singleShot(0, form1.get(), &QWidget::close); }, Qt::SingleShotConnection);
    form1->show();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !form1->isVisible(); }));
    testsupport::spin(50);
    EXPECT_EQ(runs, 0);
}

// A movie that announces itself in frame 1 and keeps what the host answers, as the real
// movie's edition watcher does.
class HandshakeMovie : public player::MovieProgram {
public:
    void start(player::Stage& stage) override {
        player::Clip* root = stage.root();
        root->timeline().setTotalFrames(2);
        root->timeline().setScript(1, [root, &stage] {
            root->setVar("SetIdeType", "ie");
            root->watch("SetIdeType", [root](const QVariant&, const QVariant& value) {
                root->setVar("editionSeen", value);
                return value;
            });
            stage.fsCommand("iVembaInited", "");
        });
        root->timeline().setScript(2, [root] { root->stop(); });
    }
};

TEST_F(MainWindow, HandshakeReachesTheMovie) {
    player::MovieRegistry registry;
    registry.add("ivemba", [] { return std::make_unique<HandshakeMovie>(); });
    start(std::move(registry));
    form1->show();
    ASSERT_TRUE(testsupport::waitUntil([&] { return var("editionSeen") == "soft"; }));
    EXPECT_EQ(var("SetIdeType"), "soft");
}

} // namespace
