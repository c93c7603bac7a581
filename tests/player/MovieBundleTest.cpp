#include "player/MovieBundle.h"

#include "player/Clip.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "support/Wait.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <gtest/gtest.h>
#include <thread>

using player::MovieBundle;
using player::MovieProgram;
using player::MovieRegistry;
using player::PlayerWidget;

namespace {

QByteArray realBundle() {
    QFile file(QStringLiteral(IVEMBA_TEST_BUNDLE));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A movie that announces itself and records what the host assigns.
class HandshakeMovie : public MovieProgram {
public:
    void start(player::Stage& stage) override {
        player::Clip* root = stage.root();
        root->timeline().setScript(1, [&stage, root] {
            root->setVar("SetIdeType", "ie");
            root->watch("SetIdeType", [root](const QVariant&, const QVariant& v) {
                root->setVar("seenOnUiThread", QThread::currentThread() == root->thread());
                root->setVar("assigned", v);
                return QVariant("soft");
            });
            stage.fsCommand("iVembaInited", "");
        });
        root->timeline().setScript(2, [root] { root->stop(); });
    }
};

MovieRegistry handshakeRegistry() {
    MovieRegistry registry;
    registry.add("ivemba", [] { return std::make_unique<HandshakeMovie>(); });
    return registry;
}

TEST(MovieBundle, RejectsBytesThatAreNotABundle) {
    const QList<QByteArray> bad = {
        QByteArray(), QByteArray("CWS\x08garbage"), QByteArray(1 << 20, '\xff'),
        QByteArray("qres\0\0\0\x03\xff\xff\xff\xff\0\0\0\x01\0\0\0\x01", 20)};
    for (const QByteArray& bytes : bad) {
        const auto opened = MovieBundle::open(bytes);
        EXPECT_FALSE(opened.ok());
        EXPECT_FALSE(opened.error().isEmpty());
    }
}

// Qt mounts a resource without checking a single offset in it; looking up the manifest in
// a damaged tree read far past the buffer. Found by fuzz_movie_bundle.
TEST(MovieBundle, DamagedResourceTreeIsRefusedNotMounted) {
    const QByteArray found = QByteArray::fromHex(
        "71726573000000030000007c000000180000005c00000000000000407b2270726f6772616d22"
        "3a226976656d6261222c227374616765223a7b227769647468223a3830302c22686569676874"
        "223a3630307d2c22660000000000407b2270726f6772616d223a226976656d6261222c227374"
        "616765223a7b227769647468223a3830302c2268000000010000000000000000000000000000"
        "0000000100000000000001a253619b12");
    const auto damaged = MovieBundle::open(found);
    EXPECT_FALSE(damaged.ok());
    EXPECT_FALSE(damaged.error().isEmpty());
    // A root that is a file, whose data fields Qt would read as a folder's child list.
    const QByteArray fileRoot = QByteArray::fromHex(
        "71726573000000030000007c000000180000005c000000000000000000000000000000000000"
        "00000000000000000000000000000000000000000000000000000000407b2270726f6772616d"
        "223a226976656d6261222c22737461675665223a7b22776964743a2c22383068302268656967"
        "6874223a3630307d2c22667073203a31367d000100000000000001a253619b12");
    EXPECT_FALSE(MovieBundle::open(fileRoot).ok());

    // The real bundle with one offset broken at a time: the root's child list, the first
    // child's name and its data.
    const QByteArray real = realBundle();
    ASSERT_FALSE(real.isEmpty());
    const auto tree = qFromBigEndian<quint32>(real.constData() + 8);
    const int nodeSize = 22;
    const QList<int> fields = {int(tree) + 6, int(tree) + 10, int(tree) + nodeSize,
                               int(tree) + nodeSize + 10};
    for (int at : fields) {
        QByteArray broken = real;
        qToBigEndian<quint32>(0x7fffff00, broken.data() + at);
        EXPECT_FALSE(MovieBundle::open(broken).ok()) << "offset at byte " << at;
    }
    const auto whole = MovieBundle::open(real);
    EXPECT_TRUE(whole.ok()) << whole.error().toStdString();
}

TEST(MovieBundle, RealBundleNamesItsProgramStageAndRate) {
    const auto opened = MovieBundle::open(realBundle());
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    const auto& bundle = opened.value();
    EXPECT_EQ(bundle->program(), "ivemba");
    EXPECT_EQ(bundle->stageSize(), QSize(800, 600));
    EXPECT_DOUBLE_EQ(bundle->frameRate(), 16);
    EXPECT_TRUE(QFile::exists(bundle->root() + "manifest.json"));
}

TEST(PlayerWidget, GarbageFileGivesAnEmptyStageAndATraceLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("_ivemba.swf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();

    PlayerWidget player(handshakeRegistry());
    QStringList traces;
    QObject::connect(&player.stage(), &player::Stage::traced,
                     [&](const QString& t) { traces << t; });
    player.loadMovie(path);
    EXPECT_FALSE(player.hasMovie());
    EXPECT_TRUE(player.stage().root()->childClips().isEmpty());
    EXPECT_EQ(traces.size(), 1);
    player.loadMovie(dir.filePath("missing.swf"));
    EXPECT_FALSE(player.hasMovie());
}

TEST(PlayerWidget, HandshakeReachesTheMovieAndAThreadedAssignmentArrivesQueued) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ivemba.swf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(realBundle());
    file.close();

    PlayerWidget player(handshakeRegistry());
    QObject::connect(&player, &PlayerWidget::fsCommand, [&](const QString& name, const QString&) {
        if (name == "iVembaInited")
            player.setVariable("SetIdeType", "soft");
    });
    player.loadMovie(path);
    ASSERT_TRUE(player.hasMovie());
    EXPECT_EQ(player.variable("SetIdeType"), "soft");
    EXPECT_EQ(player.variable("assigned"), "soft");
    EXPECT_TRUE(player.stage().movieUrl().startsWith("file:///"));

    std::thread worker([&] { player.setVariable("SetIdeType", "from-thread"); });
    worker.join();
    EXPECT_EQ(player.variable("assigned"), "soft") << "not applied off the UI thread";
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return player.variable("assigned") == "from-thread"; }));
    EXPECT_TRUE(player.stage().root()->var("seenOnUiThread").toBool());
}

} // namespace
