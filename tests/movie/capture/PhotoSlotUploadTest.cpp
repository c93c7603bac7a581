#include "../shell/ShellFixture.h"
#include "player/Services.h"
#include "site/SiteServer.h"
#include "support/CaptureHarness.h"
#include "support/LocalSite.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>

namespace capturetest {
namespace {

using player::Clip;

// The browser edition's road: choose in the player's file browser, upload, load back from
// the site's upload folder, delete the copy. The site keeps each upload where it serves it.
class PhotoSlotUploadTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(folder.path()).mkpath(QStringLiteral("upload"));
        site.serveFolder(folder.path());
        site.route("/uploadfile.aspx", [this](const httplib::Request& request,
                                              httplib::Response& response) {
            const std::string name = request.get_param_value("filename");
            const auto file = request.files.find("Filedata");
            if (file == request.files.end() || name.find('/') != std::string::npos) {
                response.status = 400;
                return;
            }
            std::ofstream(folder.filePath(QStringLiteral("upload/")).toStdString() + name,
                          std::ios::binary)
                << file->second.content;
            response.set_content("status=ok", "text/plain");
        });
        site.answer("/uploadfile_del.aspx", "status=ok");
        h.root()->setVar(QStringLiteral("SetIdeType"), QStringLiteral("ie"));
        h.root()->setVar(QStringLiteral("UploadFormOpen"), site.base() + QStringLiteral("/"));
        h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
        h.stage().services().chooseFile = [this](const QString& filter) {
            filters << filter;
            return chosen;
        };
    }

    Clip* slot() const { return h.at(QStringLiteral("local_photo_previews_mc/photo_1")); }
    bool shown(const char* name) const { return slot()->child(QLatin1String(name))->isVisible(); }
    // A PNG padded with a trailing chunk-free tail to exactly `bytes` bytes; readers stop at
    // the end chunk.
    QString pictureOfBytes(const QString& name, qint64 bytes) const {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(qRgb(10, 120, 230));
        QImageWriter(&buffer, "png").write(image);
        png.append(QByteArray(bytes - png.size(), '\0'));
        return testsupport::writeFile(h.dir(), name, png);
    }
    void choose() { slot()->child(QStringLiteral("but_uploadfile_mc"))->release(); }
    std::vector<std::string> paths() const {
        std::vector<std::string> out;
        for (const auto& request : site.requests())
            out.push_back(request.path);
        return out;
    }

    QTemporaryDir folder;
    testsupport::LocalSite site;
    CaptureHarness h;
    QString chosen;
    QStringList filters;
};

TEST_F(PhotoSlotUploadTest, JustUnder600kMakesTheRoundTripInOrder) {
    chosen = pictureOfBytes(QStringLiteral("holiday.png"), 614399);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    choose();
    EXPECT_EQ(filters,
              QStringList{"Images (*.jpg, *.jpeg, *.gif, *.png) (*.jpg *.jpeg *.gif *.png)"});
    const QString name = slot()->var(QStringLiteral("filename")).toString();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^(\\d+)_\\.png$")).match(name);
    ASSERT_TRUE(match.hasMatch()) << name.toStdString();
    EXPECT_GE(match.captured(1).toLongLong(), before);
    EXPECT_LE(match.captured(1).toLongLong(), QDateTime::currentMSecsSinceEpoch());

    ASSERT_TRUE(testsupport::waitUntil([this] { return shown("sub_delete_but"); }));
    EXPECT_TRUE(shown("sub_selectbg_button"));
    EXPECT_FALSE(shown("Load_Prec"));
    EXPECT_FALSE(shown("but_uploadfile_mc"));
    EXPECT_EQ(slot()->var(QStringLiteral("myBitMap")).value<player::BitmapPtr>()->image().size(),
              QSize(300, 200));
    ASSERT_TRUE(testsupport::waitUntil([this] { return site.count("/uploadfile_del.aspx") == 1; }));
    EXPECT_EQ(paths(),
              (std::vector<std::string>{"/uploadfile.aspx", "/upload/" + name.toStdString(),
                                        "/uploadfile_del.aspx"}));
    const auto requests = site.requests();
    EXPECT_EQ(requests[0].field("filename"), name.toStdString());
    const auto file = std::find_if(requests[0].files.begin(), requests[0].files.end(),
                                   [](const auto& part) { return part.field == "Filedata"; });
    ASSERT_NE(file, requests[0].files.end());
    EXPECT_EQ(file->filename, "holiday.png");
    EXPECT_EQ(file->content.size(), 614399u);
    EXPECT_EQ(requests[2].field("filename"), name.toStdString());
}

TEST_F(PhotoSlotUploadTest, Exactly600kIsRefusedWithTheAlert) {
    chosen = pictureOfBytes(QStringLiteral("big.png"), 614400);
    choose();
    testsupport::spin(100);
    EXPECT_TRUE(h.traced(QStringLiteral("Alert: 提示 / 请选择文件体积小于 600k 的图片！")));
    EXPECT_TRUE(site.requests().empty());
    EXPECT_TRUE(shown("but_uploadfile_mc"));
    EXPECT_FALSE(shown("sub_photo_mc"));
}

TEST_F(PhotoSlotUploadTest, NameWithoutADotIsAllExtension) {
    chosen = pictureOfBytes(QStringLiteral("photo"), 3000);
    choose();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{13}_photo$"))
                    .match(slot()->var(QStringLiteral("filename")).toString())
                    .hasMatch());
    ASSERT_TRUE(testsupport::waitUntil([this] { return shown("sub_delete_but"); }));
}

TEST_F(PhotoSlotUploadTest, CancelledBrowserDoesNothing) {
    chosen.clear();
    choose();
    testsupport::spin(50);
    EXPECT_TRUE(site.requests().empty());
    EXPECT_TRUE(shown("but_uploadfile_mc"));
}

TEST_F(PhotoSlotUploadTest, AFailedUploadGivesTheSlotBackEmpty) {
    site.fail("/uploadfile.aspx", 500);
    chosen = pictureOfBytes(QStringLiteral("x.png"), 5000);
    choose();
    ASSERT_TRUE(testsupport::waitUntil([this] { return site.count("/uploadfile.aspx") == 1; }));
    ASSERT_TRUE(testsupport::waitUntil([this] { return shown("but_uploadfile_mc"); }));
    EXPECT_FALSE(shown("Load_Prec"));
    EXPECT_FALSE(shown("sub_photo_mc"));
    EXPECT_FALSE(shown("sub_delete_but"));
    EXPECT_EQ(site.count("/uploadfile_del.aspx"), 0);
    EXPECT_TRUE(h.tracedStartingWith(QStringLiteral("picture slot: upload failed: ")));
}

TEST_F(PhotoSlotUploadTest, HostileCharactersNeverReachTheName) {
    chosen = pictureOfBytes(QStringLiteral("a.p&n#g?x=1|\n照"), 3000);
    choose();
    const QString name = slot()->var(QStringLiteral("filename")).toString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{13}_$")).match(name).hasMatch())
        << name.toStdString();
    ASSERT_TRUE(testsupport::waitUntil([this] { return site.count("/uploadfile.aspx") == 1; }));
    EXPECT_EQ(site.requests()[0].field("filename"), name.toStdString());
    EXPECT_EQ(site.requests()[0].fields.count("x"), 0u);
    ASSERT_TRUE(testsupport::waitUntil([this] { return shown("sub_delete_but"); }));
}

// The same road against the real site, which takes pictures only: a name without a dot
// comes back as a picture, a file that is no picture is refused and the slot is free again.
class PhotoSlotAgainstSite : public PhotoSlotUploadTest {
protected:
    void SetUp() override {
        ::site::SiteOptions options;
        options.port = 0;
        options.data = (folder.path() + QStringLiteral("/site")).toStdString();
        options.log = false;
        server = std::make_unique<::site::SiteServer>(options);
        const int port = server->start();
        h.root()->setVar(QStringLiteral("SetIdeType"), QStringLiteral("ie"));
        h.root()->setVar(QStringLiteral("UploadFormOpen"),
                         QStringLiteral("http://127.0.0.1:%1/").arg(port));
        h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
        h.stage().services().chooseFile = [this](const QString&) { return chosen; };
    }
    std::unique_ptr<::site::SiteServer> server;
};

TEST_F(PhotoSlotAgainstSite, APictureNamedAnyhowComesBackAndARefusalFreesTheSlot) {
    chosen = pictureOfBytes(QStringLiteral("myphoto"), 3000);
    choose();
    ASSERT_TRUE(testsupport::waitUntil([this] { return shown("sub_delete_but"); }))
        << slot()->var(QStringLiteral("filename")).toString().toStdString();
    EXPECT_EQ(slot()->var(QStringLiteral("myBitMap")).value<player::BitmapPtr>()->image().size(),
              QSize(300, 200));
    slot()->child(QStringLiteral("sub_delete_but"))->release();

    const QString notes = h.dir() + QStringLiteral("/notes.png");
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><script>alert(1)</script></html>");
    file.close();
    chosen = notes;
    choose();
    ASSERT_TRUE(testsupport::waitUntil(
        [this] { return h.tracedStartingWith(QStringLiteral("picture slot: upload failed: ")); }));
    ASSERT_TRUE(testsupport::waitUntil([this] { return shown("but_uploadfile_mc"); }));
    EXPECT_FALSE(shown("Load_Prec"));
    EXPECT_FALSE(shown("sub_photo_mc"));
    EXPECT_EQ(slot()->var(QStringLiteral("myBitMap")).toInt(), 0);
}

// The host's answer goes through the root's watcher to the slot it names.
class PhotoSlotHostAnswer : public shelltest::ShellMovie {};

TEST_F(PhotoSlotHostAnswer, ChoiceInPhoto2FillsPhoto2) {
    start(QStringLiteral("soft"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("我的|照片.png"));
    QImage image(90, 70, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path, "png"));
    const QString slotPath = QStringLiteral("/capture_mc/local_photo_previews_mc/");
    onCommand = [this, path](const QString& name, const QString& arg) {
        if (name == QLatin1String("onSelectPicFile"))
            widget().setVariable(QStringLiteral("OnSelectFiledOK"), path + QLatin1Char('|') + arg);
    };
    // The capture page places its panel on its own second frame.
    stage().clock().tick();
    stage().clock().tick();
    ASSERT_TRUE(clip(QStringLiteral("/capture_mc")));
    clip(QStringLiteral("/capture_mc"))->call(QStringLiteral("setFrom"), {QStringLiteral("photo")});
    Clip* choose = clip(slotPath + QStringLiteral("photo_2/but_uploadfile_mc"));
    ASSERT_TRUE(choose);
    choose->release();
    Clip* second = clip(slotPath + QStringLiteral("photo_2"));
    ASSERT_TRUE(testsupport::waitUntil(
        [second] { return second->child(QStringLiteral("sub_delete_but"))->isVisible(); }));
    EXPECT_EQ(second->var(QStringLiteral("myBitMap")).value<player::BitmapPtr>()->image().size(),
              QSize(90, 70));
    Clip* first = clip(slotPath + QStringLiteral("photo_1"));
    EXPECT_TRUE(first->child(QStringLiteral("but_uploadfile_mc"))->isVisible());
    EXPECT_FALSE(first->child(QStringLiteral("sub_photo_mc"))->isVisible());
}

} // namespace
} // namespace capturetest
