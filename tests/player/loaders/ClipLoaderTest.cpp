#include "player/loaders/ClipLoader.h"

#include "player/Clip.h"
#include "player/Stage.h"
#include "support/LocalSite.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using loaders::ClipLoader;
using player::Clip;

QByteArray png(QSize size, QColor colour) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

struct Recorder {
    explicit Recorder(ClipLoader& loader) {
        QObject::connect(&loader, &ClipLoader::progress, [this](Clip*, qint64 l, qint64 t) {
            progress.append({l, t});
        });
        QObject::connect(&loader, &ClipLoader::ready, [this](Clip* c) { ready.append(c); });
        QObject::connect(&loader, &ClipLoader::failed, [this](Clip* c, const QString& e) {
            failed.append({c, e});
        });
    }
    void clear() {
        progress.clear();
        ready.clear();
        failed.clear();
    }
    bool done() const { return !ready.isEmpty() || !failed.isEmpty(); }
    QList<QPair<qint64, qint64>> progress;
    QList<Clip*> ready;
    QList<QPair<Clip*, QString>> failed;
};

class ClipLoaderTest : public ::testing::Test {
protected:
    QString writeFile(const QString& name, const QByteArray& bytes) {
        return testsupport::writeFile(dir.path(), name, bytes);
    }
    QTemporaryDir dir;
    player::Stage stage;
    Clip& target = *stage.root()->createEmptyMovieClip(QStringLiteral("target"), 1);
    ClipLoader loader;
    Recorder events{loader};
};

TEST_F(ClipLoaderTest, LoadsAPathOrFileAddressIntoTheTarget) {
    const QByteArray bytes = png({30, 20}, Qt::red);
    const QString path = writeFile(QStringLiteral("a.png"), bytes);
    for (const QString& address : {path, QUrl::fromLocalFile(path).toString()}) {
        events.clear();
        target.createEmptyMovieClip(QStringLiteral("old"), 1);
        loader.loadClip(address, &target);
        EXPECT_TRUE(events.ready.isEmpty()) << "reports come from the event loop";
        ASSERT_TRUE(testsupport::waitUntil([this] { return events.done(); }));
        ASSERT_EQ(events.ready, QList<Clip*>{&target}) << address.toStdString();
        EXPECT_EQ(target.contentRect(), QRectF(0, 0, 30, 20));
        EXPECT_TRUE(target.childClips().isEmpty()) << "the picture replaces what it held";
        ASSERT_FALSE(events.progress.isEmpty());
        EXPECT_EQ(events.progress.last(), qMakePair(qint64(bytes.size()), qint64(bytes.size())));
    }
}

TEST_F(ClipLoaderTest, FailuresLeaveTheTargetAsItWas) {
    loader.setLimits({100, 30000});
    target.setRect(QRectF(0, 0, 5, 5), Qt::blue);
    const QString big = writeFile(QStringLiteral("big.png"), png({200, 200}, Qt::green));
    const QString text = writeFile(QStringLiteral("t.png"), "hello");
    for (const QString& address : {dir.filePath(QStringLiteral("missing.png")), text, big,
                                   QString(), QStringLiteral("ftp://example.com/a.png")}) {
        events.clear();
        loader.loadClip(address, &target);
        ASSERT_TRUE(testsupport::waitUntil([this] { return events.done(); }));
        EXPECT_EQ(events.failed.size(), 1) << address.toStdString();
        EXPECT_TRUE(events.ready.isEmpty());
        EXPECT_EQ(target.contentRect(), QRectF(0, 0, 5, 5));
    }
}

TEST_F(ClipLoaderTest, ANewLoadIntoTheSameTargetCancelsThePrevious) {
    const QString first = writeFile(QStringLiteral("1.png"), png({10, 10}, Qt::red));
    const QString second = writeFile(QStringLiteral("2.png"), png({40, 30}, Qt::red));
    loader.loadClip(first, &target);
    loader.loadClip(second, &target);
    ASSERT_TRUE(testsupport::waitUntil([this] { return events.done(); }));
    testsupport::spin(200);
    EXPECT_EQ(events.ready.size(), 1);
    EXPECT_EQ(target.contentRect(), QRectF(0, 0, 40, 30));
}

TEST_F(ClipLoaderTest, LoadsOverHttpWithProgress) {
    testsupport::LocalSite site;
    const QByteArray body = png({64, 48}, Qt::yellow);
    site.answer("/border.png", body.toStdString(), "image/png");
    loader.loadClip(site.url(QStringLiteral("/border.png")), &target);
    ASSERT_TRUE(testsupport::waitUntil([this] { return events.done(); }));
    ASSERT_EQ(events.ready.size(), 1);
    EXPECT_EQ(target.contentRect(), QRectF(0, 0, 64, 48));
    ASSERT_FALSE(events.progress.isEmpty());
    EXPECT_EQ(events.progress.last(), qMakePair(qint64(body.size()), qint64(body.size())));
}

TEST_F(ClipLoaderTest, HttpFailures) {
    testsupport::LocalSite site;
    const QByteArray body = png({64, 48}, Qt::yellow);
    site.answer("/ok.png", body.toStdString(), "image/png");
    site.fail("/missing.png", 404);
    site.stall("/stalled.png", 5000, 10);
    struct Case {
        const char* path;
        qint64 cap;
    };
    for (const Case c :
         {Case{"/missing.png", 1 << 20}, Case{"/stalled.png", 1 << 20}, Case{"/ok.png", 100}}) {
        loader.setLimits({c.cap, 300});
        events.clear();
        loader.loadClip(site.url(QString::fromLatin1(c.path)), &target);
        ASSERT_TRUE(testsupport::waitUntil([this] { return events.done(); }, 10000));
        EXPECT_EQ(events.failed.size(), 1) << c.path << c.cap;
        EXPECT_TRUE(target.contentRect().isNull());
    }
}

TEST_F(ClipLoaderTest, DestroyedTargetOrLoaderReportsNothing) {
    const QString path = writeFile(QStringLiteral("a.png"), png({10, 10}, Qt::red));
    Clip* doomed = stage.root()->createEmptyMovieClip(QStringLiteral("doomed"), 2);
    loader.loadClip(path, doomed);
    delete doomed;
    {
        ClipLoader shortLived;
        Recorder other(shortLived);
        shortLived.loadClip(path, &target);
    }
    testsupport::spin(300);
    EXPECT_TRUE(events.ready.isEmpty());
    EXPECT_TRUE(target.contentRect().isNull());
}

} // namespace
