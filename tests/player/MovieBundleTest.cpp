#include "player/MovieBundle.h"

#include "player/Clip.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "support/Wait.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
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
        QString error;
        EXPECT_EQ(MovieBundle::open(bytes, &error), nullptr);
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(MovieBundle, RealBundleNamesItsProgramStageAndRate) {
    QString error;
    auto bundle = MovieBundle::open(realBundle(), &error);
    ASSERT_NE(bundle, nullptr) << error.toStdString();
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
