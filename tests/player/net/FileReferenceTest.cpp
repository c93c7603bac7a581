#include "player/net/FileReference.h"

#include "player/Services.h"
#include "player/Stage.h"
#include "support/LocalSite.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using net::FileReference;

struct Events {
    explicit Events(FileReference& file) {
        QObject::connect(&file, &FileReference::opened, &context, [this] { log << "open"; });
        QObject::connect(&file, &FileReference::progress, &context,
                         [this](qint64 done, qint64 total) {
                             progress.append({done, total});
                         });
        QObject::connect(&file, &FileReference::completed, &context, [this] { log << "complete"; });
        QObject::connect(&file, &FileReference::cancelled, &context, [this] { log << "cancel"; });
        QObject::connect(&file, &FileReference::failed, &context,
                         [this](const QString&) { log << "error"; });
    }
    [[nodiscard]] bool ended() const {
        return log.contains("complete") || log.contains("error") || log.contains("cancel");
    }
    QObject context; // ends the connections with the recorder
    QStringList log;
    QList<QPair<qint64, qint64>> progress;
};

class FileReferenceTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        return testsupport::writeFile(dir.path(), name, bytes);
    }
    QTemporaryDir dir;
    player::Stage stage;
    testsupport::LocalSite site;
    QStringList asked;
};

TEST_F(FileReferenceTest, BrowseGivesTheChosenFileWithNameAndSize) {
    const QString path = write(QStringLiteral("照片 1.jpg"), QByteArray(1234, 'j'));
    QString filter;
    stage.services().chooseFile = [&](const QString& f) {
        filter = f;
        return path;
    };
    FileReference file(stage);
    ASSERT_TRUE(file.browse(QStringLiteral("Images (*.jpg *.png)")));
    EXPECT_EQ(filter, QStringLiteral("Images (*.jpg *.png)"));
    EXPECT_EQ(file.name(), QStringLiteral("照片 1.jpg"));
    EXPECT_EQ(file.size(), 1234);

    stage.services().chooseFile = [](const QString&) { return QString(); };
    EXPECT_FALSE(file.browse(QString())) << "cancelled";
    stage.services().chooseFile = [this](const QString&) { return dir.path(); };
    EXPECT_FALSE(file.browse(QString())) << "a folder is no file";
}

TEST_F(FileReferenceTest, UploadSendsTheBytesAsAFormFileUpload) {
    QByteArray bytes(300 * 1024, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 31 + 5);
    const QString path = write(QStringLiteral("1700000000000_jpg"), bytes);
    stage.services().chooseFile = [&](const QString&) { return path; };
    site.answer("/ivemba/uploadfile.aspx", "");

    FileReference file(stage);
    ASSERT_TRUE(file.browse(QString()));
    Events events(file);
    file.upload(site.url(QStringLiteral("/ivemba/uploadfile.aspx?filename=1700000000000_jpg")));
    ASSERT_TRUE(testsupport::waitUntil([&] { return events.ended(); }, 10000));
    EXPECT_EQ(events.log, (QStringList{"open", "complete"}));
    ASSERT_FALSE(events.progress.isEmpty());
    EXPECT_EQ(events.progress.last().first, events.progress.last().second);

    const auto requests = site.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].field("filename"), "1700000000000_jpg");
    ASSERT_FALSE(requests[0].files.empty());
    const auto& part = *std::find_if(requests[0].files.begin(), requests[0].files.end(),
                                     [](const auto& f) { return f.field == "Filedata"; });
    EXPECT_EQ(part.filename, "1700000000000_jpg");
    EXPECT_EQ(QByteArray::fromStdString(part.content), bytes) << "byte for byte";
}

TEST_F(FileReferenceTest, DownloadLandsWhereTheSaveDialogSays) {
    const std::string picture(50000, 'p');
    site.answer("/pics/17_0.jpg", picture, "image/jpeg");
    site.fail("/pics/gone.jpg", 404);
    const QString target = dir.filePath(QStringLiteral("saved/我的照片.jpg"));
    QDir().mkpath(dir.filePath(QStringLiteral("saved")));
    stage.services().chooseSaveFile = [&](const QString& defaultName) {
        asked << defaultName;
        return target;
    };

    FileReference file(stage);
    {
        Events events(file);
        file.download(site.url(QStringLiteral("/pics/17_0.jpg")), QStringLiteral("17_0.jpg"));
        ASSERT_TRUE(testsupport::waitUntil([&] { return events.ended(); }, 10000));
        EXPECT_EQ(events.log, (QStringList{"open", "complete"}));
    }
    EXPECT_EQ(asked, QStringList{QStringLiteral("17_0.jpg")});
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray::fromStdString(picture));
    saved.close();

    // A failed download leaves the earlier file as it was and nothing beside it.
    {
        Events events(file);
        file.download(site.url(QStringLiteral("/pics/gone.jpg")), QStringLiteral("gone.jpg"));
        ASSERT_TRUE(testsupport::waitUntil([&] { return events.ended(); }, 10000));
        EXPECT_EQ(events.log.last(), QStringLiteral("error"));
    }
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray::fromStdString(picture));
    EXPECT_EQ(
        QDir(dir.filePath(QStringLiteral("saved"))).entryList(QDir::Files | QDir::Hidden).size(),
        1);

    // Closing the dialog asks the site for nothing.
    site.clearRequests();
    stage.services().chooseSaveFile = [](const QString&) { return QString(); };
    Events events(file);
    file.download(site.url(QStringLiteral("/pics/17_0.jpg")), QStringLiteral("17_0.jpg"));
    EXPECT_EQ(events.log, QStringList{QStringLiteral("cancel")});
    testsupport::spin(100);
    EXPECT_TRUE(site.requests().empty());
}

} // namespace
