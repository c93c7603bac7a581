#include "movie/tray/Cascade.h"
#include "movie/tray/PhotoCard.h"
#include "movie/tray/TrayCards.h"
#include "player/photos/PhotoFolder.h"
#include "support/RenderStage.h"
#include "support/TrayMovie.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using player::Clip;
using player::PhotoFolder;
using traytest::TrayMovie;

constexpr QRgb kColours[] = {0xFFCC3333, 0x8033CC33, 0xFF3333CC, 0xFFEEEE11};

QStringList pngFiles(const QString& folder) {
    return QDir(folder).entryList({"*"}, QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList keptCards(const Clip& tray) {
    QStringList names;
    for (const Clip* clip : tray.childClips()) {
        if (clip->name().startsWith("KeptPhoto") && clip->child("pic"))
            names.append(clip->name());
    }
    return names;
}

// The picture a kept card shows.
QImage shownPicture(Clip& card) {
    const Clip* held = card.child("pic")->childAtDepth(tray::kSnapshotDepth);
    return held && held->bitmap() ? held->bitmap()->image() : QImage();
}

class KeptCards : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString folder() const { return dir.filePath("photos"); }

    QTemporaryDir dir;
};

TEST_F(KeptCards, SurviveARestartOldestFirstWithTheirTypeAndEveryButton) {
    QStringList written;
    QList<QImage> taken;
    {
        TrayMovie movie(folder());
        for (int i = 0; i < 3; ++i) {
            movie.root()->setVar("testPhotoType", i == 1 ? 2 : 1);
            taken.append(shownPicture(*movie.snap(kColours[i])).copy());
        }
        written = pngFiles(folder());
        ASSERT_EQ(written.size(), 3);
    }
    TrayMovie movie(folder());
    ASSERT_TRUE(movie.waitRestored());
    Clip* tray = movie.tray();
    ASSERT_EQ(keptCards(*tray), QStringList({"KeptPhoto1", "KeptPhoto2", "KeptPhoto3"}));
    for (int k = 1; k <= 3; ++k) {
        Clip* card = tray->child(QString("KeptPhoto%1").arg(k));
        EXPECT_EQ(card->pos(), tray::cascadePosition(k));
        EXPECT_EQ(card->var("PhotoType").toInt(), k == 2 ? 2 : 1);
        // Lossless, alpha included.
        EXPECT_EQ(shownPicture(*card), taken.at(k - 1)) << k;
    }
    // This run's count starts afresh, and its first card still lies where the first lies.
    EXPECT_EQ(movie.root()->var("info_Capture_count").toInt(), 0);
    Clip* fresh = movie.snap();
    EXPECT_EQ(fresh->name(), "Photo1");
    EXPECT_EQ(fresh->pos(), tray::cascadePosition(1));
    EXPECT_GT(fresh->depth(), tray->child("KeptPhoto3")->depth());
    // A kept card is a card like any other: it comes to the front and its delete works.
    Clip* second = tray->child("KeptPhoto2");
    second->child("pic")->press();
    second->child("pic")->release();
    EXPECT_EQ(second->depth(), tray::kFrontDepth);
    second->child("but_delete")->release();
    EXPECT_FALSE(QFile::exists(QDir(folder()).filePath(written.at(1))));
    EXPECT_EQ(pngFiles(folder()).size(), 3); // two kept before, one of this run
}

TEST_F(KeptCards, DeleteRemovesExactlyItsFileAndDeleteAllEveryKeptOne) {
    TrayMovie movie(folder());
    for (QRgb colour : kColours)
        movie.snap(colour);
    QDir(folder()).mkpath(".");
    QFile foreign(QDir(folder()).filePath("holiday.png"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("not ours");
    foreign.close();
    const QStringList before = pngFiles(folder());
    ASSERT_EQ(before.size(), 5);

    movie.card(2)->child("but_delete")->release();
    QStringList expected = before;
    expected.removeAt(1); // the files sort as the cards were taken; holiday.png sorts last
    EXPECT_EQ(pngFiles(folder()), expected);

    movie.tray()->child("but_deleteALl_photo")->release();
    EXPECT_EQ(pngFiles(folder()), QStringList({"holiday.png"}));
    EXPECT_TRUE(traytest::cardNames(*movie.tray()).isEmpty());
}

TEST_F(KeptCards, DamagedOrForeignFilesAreSkippedTracedAndLeftAlone) {
    PhotoFolder photos(folder());
    const QImage picture = [] {
        QImage image(240, 180, QImage::Format_ARGB32);
        image.fill(0xFF336699);
        return image;
    }();
    const QDateTime t0 = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    const auto good = photos.keep(picture, 1, t0);
    const auto cut = photos.keep(picture, 1, t0.addSecs(1));
    ASSERT_TRUE(good && cut);
    QFile truncated(photos.filePath(cut.value()));
    ASSERT_TRUE(truncated.open(QIODevice::ReadWrite));
    truncated.resize(truncated.size() / 2);
    truncated.close();
    struct Bad {
        QString name;
        QByteArray bytes;
    };
    QImage other(240, 180, QImage::Format_RGB32);
    other.fill(Qt::red);
    QByteArray otherPng;
    {
        QBuffer buffer(&otherPng);
        buffer.open(QIODevice::WriteOnly);
        other.save(&buffer, "PNG"); // a picture of the right size, but no photo of ours
    }
    QImage huge(4000, 3000, QImage::Format_RGB32);
    huge.fill(Qt::blue);
    QByteArray hugePng;
    {
        QBuffer buffer(&hugePng);
        buffer.open(QIODevice::WriteOnly);
        huge.save(&buffer, "PNG");
    }
    const Bad bad[] = {{"20230101-000000-000-01.png", "garbage, not a picture"},
                       {"20230101-000000-001-01.png", otherPng},
                       {"20230101-000000-002-01.png", hugePng},
                       {"20230101-000000-003-01.png", {}}};
    for (const Bad& b : bad) {
        QFile file(photos.filePath(b.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(b.bytes);
    }
    const QStringList before = pngFiles(folder());

    TrayMovie movie(folder());
    ASSERT_TRUE(movie.waitRestored());
    EXPECT_EQ(keptCards(*movie.tray()).size(), 1);
    for (const QString& name : {bad[0].name, bad[1].name, bad[2].name, bad[3].name, cut.value()})
        EXPECT_TRUE(movie.tracedStartingWith("photos: " + name + " skipped")) << name.toStdString();
    // Delete-all takes the cards, never the files that were not cards.
    movie.tray()->child("but_deleteALl_photo")->release();
    QStringList expected = before;
    expected.removeOne(good.value());
    EXPECT_EQ(pngFiles(folder()), expected);
}

TEST_F(KeptCards, PastTheBoundTheOldestGoesAndTheTraySaysSoOnce) {
    PhotoFolder photos(folder());
    QImage picture(240, 180, QImage::Format_ARGB32);
    const QDateTime t0 = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    for (int i = 0; i < PhotoFolder::kBound; ++i) {
        picture.fill(qRgb(i % 256, i / 256, 7));
        ASSERT_TRUE(photos.keep(picture, 1, t0.addSecs(i)));
    }
    const QStringList before = photos.fileNames();
    TrayMovie movie(folder());
    ASSERT_TRUE(movie.waitRestored());
    ASSERT_EQ(keptCards(*movie.tray()).size(), PhotoFolder::kBound);
    EXPECT_EQ(movie.tray()->child("keptBound_txt"), nullptr);

    movie.snap();
    QStringList after = photos.fileNames();
    EXPECT_EQ(after.size(), PhotoFolder::kBound);
    EXPECT_FALSE(after.contains(before.first()));
    EXPECT_TRUE(after.contains(before.at(1)));
    EXPECT_EQ(movie.tray()->child("KeptPhoto1")->child("pic"), nullptr);
    Clip* line = movie.tray()->child("keptBound_txt");
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    if (qEnvironmentVariableIsSet("IVEMBA_LOOK_PNG")) {
        const QImage look = testsupport::renderStage(movie.stage());
        EXPECT_TRUE(look.save(qEnvironmentVariable("IVEMBA_LOOK_PNG")));
    }

    movie.snap();
    after = photos.fileNames();
    EXPECT_EQ(after.size(), PhotoFolder::kBound);
    EXPECT_FALSE(after.contains(before.at(1)));
    int lines = 0;
    for (const Clip* clip : movie.tray()->childClips())
        lines += clip->name() == "keptBound_txt";
    EXPECT_EQ(lines, 1);
}

// A program killed outright the moment after its shutter still has the photo at the next
// start: the card is on disc before the shutter's work returns.
TEST_F(KeptCards, APhotoTakenJustBeforeASigkillComesBack) {
    QProcess child;
    child.setProgram(IVEMBA_TRAY_SNAP_CHILD);
    child.setArguments({folder()});
    child.start();
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(child.waitForReadyRead(30000)) << child.readAllStandardError().toStdString();
    ASSERT_EQ(child.readLine().trimmed(), "taken");
    child.kill(); // SIGKILL
    ASSERT_TRUE(child.waitForFinished());
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    TrayMovie movie(folder());
    ASSERT_TRUE(movie.waitRestored());
    ASSERT_EQ(keptCards(*movie.tray()), QStringList({"KeptPhoto1"}));
    const QImage shown = shownPicture(*movie.tray()->child("KeptPhoto1"));
    EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32).pixel(10, 10), 0xFF13579Bu);
}

} // namespace
