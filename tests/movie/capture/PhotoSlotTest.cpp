#include "movie/capture/PhotoSlot.h"

#include "common/PictureUploadName.h"
#include "support/CaptureHarness.h"
#include "support/RenderStage.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QBuffer>
#include <QFile>
#include <QGraphicsSceneDragDropEvent>
#include <QImageWriter>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace capturetest {
namespace {

using player::Clip;

const QString kSlots = QStringLiteral("local_photo_previews_mc");

// A picture with a distinct colour in each quarter, so that proportions and orientation
// show in its pixels.
QImage quarters(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const bool right = x >= size.width() / 2, bottom = y >= size.height() / 2;
            image.setPixel(x, y,
                           right ? (bottom ? qRgb(0, 0, 200) : qRgb(0, 200, 0))
                                 : (bottom ? qRgb(200, 200, 0) : qRgb(200, 0, 0)));
        }
    return image;
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

class PhotoSlotTest : public ::testing::Test {
protected:
    void SetUp() override { h.page()->call(QStringLiteral("setFrom"), {QStringLiteral("photo")}); }

    Clip* slot(int n = 1) const {
        return h.at(kSlots + QStringLiteral("/photo_") + QString::number(n));
    }
    Clip* part(const QString& name, int n = 1) const { return slot(n)->resolve(name); }
    Clip* picture(int n = 1) const {
        return part(QStringLiteral("sub_photo_mc/Sub_photo_mc_mc"), n);
    }
    player::BitmapPtr myBitMap(int n = 1) const {
        return slot(n)->var(QStringLiteral("myBitMap")).value<player::BitmapPtr>();
    }
    // What the slot shows, by its parts' names.
    QStringList visible(int n = 1) const {
        QStringList shown;
        for (const char* name : {"sub_photo_mc", "Load_Prec", "sub_delete_but",
                                 "sub_selectbg_button", "but_uploadfile_mc"})
            if (part(QLatin1String(name), n)->isVisible())
                shown << QLatin1String(name);
        return shown;
    }
    QStringList loadedParts() const {
        return {"sub_photo_mc", "sub_delete_but", "sub_selectbg_button"};
    }
    void answer(const QString& path, int n = 1) {
        slot(n)->call(QStringLiteral("OnSelectFiledOK"), {path});
    }
    // Waits until the load into slot `n` has ended either way.
    void waitForLoad(int n = 1) {
        Clip* target = picture(n);
        ASSERT_TRUE(target);
        EXPECT_TRUE(testsupport::waitUntil([&] {
            return part(QStringLiteral("sub_delete_but"), n)->isVisible() ||
                   h.traces().filter(QStringLiteral("picture slot: cannot load")).size() >
                       loadFailures;
        }));
        loadFailures = h.traces().filter(QStringLiteral("picture slot: cannot load")).size();
    }
    QString scaleRating() const {
        return h.at(kSlots)->var(QStringLiteral("ScaleRating")).toString();
    }
    QString writeBytes(const QString& name, const QByteArray& bytes) const {
        return testsupport::writeFile(h.dir(), name, bytes);
    }
    bool drop(const QString& path, int n = 1) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        const QPointF at = slot(n)->mapToScene(QPointF(40, 30));
        // What the pointer is told while it moves over the slot: whether it may drop.
        bool offered = false;
        for (QEvent::Type type : {QEvent::GraphicsSceneDragMove, QEvent::GraphicsSceneDrop}) {
            QGraphicsSceneDragDropEvent event(type);
            event.setScenePos(at);
            event.setMimeData(&mime);
            event.setPossibleActions(Qt::CopyAction);
            event.setProposedAction(Qt::CopyAction);
            event.setAccepted(false);
            QCoreApplication::sendEvent(&h.stage(), &event);
            if (type == QEvent::GraphicsSceneDragMove)
                offered = event.isAccepted();
        }
        return offered;
    }

    CaptureHarness h;
    qsizetype loadFailures = 0;
};

TEST_F(PhotoSlotTest, ChooseLoadDeleteAndChooseAgain) {
    EXPECT_EQ(visible(), QStringList{"but_uploadfile_mc"});
    EXPECT_EQ(slot()->var(QStringLiteral("myBitMap")), QVariant(0));
    EXPECT_EQ(slot()->var(QStringLiteral("filename")).toString(), QString());
    EXPECT_FALSE(part(QStringLiteral("sub_photo_mc/button_rect_hint"))->isVisible());

    part(QStringLiteral("but_uploadfile_mc"))->release();
    EXPECT_EQ(h.commands(),
              QStringList{"onSelectPicFile|/capture_mc/local_photo_previews_mc/photo_1"});

    answer(h.writePng(QStringLiteral("landscape.png"), quarters({400, 300})));
    EXPECT_EQ(visible(), QStringList{"sub_photo_mc"}) << "loading shows the picture area only";
    Clip* first = picture();
    waitForLoad();
    EXPECT_EQ(visible(), loadedParts());
    ASSERT_TRUE(myBitMap());
    EXPECT_EQ(myBitMap()->image().size(), QSize(400, 300));
    EXPECT_EQ(myBitMap()->getPixel(10, 10), 0xC80000u);
    EXPECT_EQ(myBitMap()->getPixel(390, 290), 0x0000C8u);
    EXPECT_NEAR(first->width(), 81, 0.01);
    EXPECT_NEAR(first->height(), 61, 0.01);

    part(QStringLiteral("sub_delete_but"))->release();
    EXPECT_EQ(visible(), QStringList{"but_uploadfile_mc"});
    EXPECT_EQ(slot()->var(QStringLiteral("myBitMap")), QVariant(0));
    EXPECT_EQ(picture(), first) << "the loaded clip stays until the next choice";

    answer(h.writePng(QStringLiteral("again.png"), quarters({64, 48})));
    EXPECT_NE(picture(), first);
    waitForLoad();
    EXPECT_EQ(myBitMap()->image().size(), QSize(64, 48));
}

TEST_F(PhotoSlotTest, BitmapKeepsTheSizeWhileTheThumbnailIsSqueezed) {
    for (const QSize size : {QSize(300, 500), QSize(1, 1), QSize(1200, 90)}) {
        SCOPED_TRACE(size.width());
        part(QStringLiteral("sub_delete_but"))->release();
        answer(h.writePng(QStringLiteral("p%1.png").arg(size.width()), quarters(size)));
        waitForLoad();
        ASSERT_TRUE(myBitMap());
        EXPECT_EQ(myBitMap()->image().size(), size);
        EXPECT_NEAR(picture()->width(), 81, 0.01);
        EXPECT_NEAR(picture()->height(), 61, 0.01);
    }
}

TEST_F(PhotoSlotTest, AnswerReachesItsOwnSlotOnly) {
    part(QStringLiteral("but_uploadfile_mc"), 2)->release();
    EXPECT_EQ(h.commands(),
              QStringList{"onSelectPicFile|/capture_mc/local_photo_previews_mc/photo_2"});
    answer(h.writePng(QStringLiteral("two.png"), quarters({100, 80})), 2);
    waitForLoad(2);
    EXPECT_EQ(visible(2), loadedParts());
    EXPECT_EQ(visible(1), QStringList{"but_uploadfile_mc"});
    EXPECT_EQ(slot(1)->var(QStringLiteral("myBitMap")), QVariant(0));
}

TEST_F(PhotoSlotTest, UnreadableFilesHidetheProgressAndLeaveAnEmptyArea) {
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        ASSERT_TRUE(writer.write(quarters({400, 300})));
    }
    // A PNG announcing 30,000 × 30,000 pixels: the decoder refuses before allocating.
    QByteArray ihdr = QByteArray::fromHex("49484452000075300000753008060000 00");
    QByteArray huge = QByteArray::fromHex("89504e470d0a1a0a0000000d") + ihdr;
    const quint32 crc = crc32(ihdr);
    for (int shift : {24, 16, 8, 0})
        huge.append(char((crc >> shift) & 0xff));
    QByteArray idat = QByteArray("IDAT") + qCompress(QByteArray(64, '\0')).mid(4);
    for (int shift : {24, 16, 8, 0})
        huge.append(char(((idat.size() - 4) >> shift) & 0xff));
    huge += idat;
    const quint32 idatCrc = crc32(idat);
    for (int shift : {24, 16, 8, 0})
        huge.append(char((idatCrc >> shift) & 0xff));
    huge += QByteArray::fromHex("0000000049454e44ae426082");
    const QStringList bad{
        writeBytes(QStringLiteral("text.png"), "this is not a picture"),
        h.dir() + QStringLiteral("/missing.png"),
        writeBytes(QStringLiteral("cut.jpg"), jpeg.left(200)),
        writeBytes(QStringLiteral("huge.png"), huge),
    };
    for (const QString& path : bad) {
        SCOPED_TRACE(path.toStdString());
        answer(path);
        waitForLoad();
        EXPECT_EQ(visible(), QStringList{"sub_photo_mc"});
        EXPECT_EQ(slot()->var(QStringLiteral("myBitMap")), QVariant(0));
    }
}

TEST_F(PhotoSlotTest, SelectedPortraitShowsAt100PercentUnderTheBorder) {
    // A border: opaque magenta edge 10 pixels wide, transparent inside.
    QImage border(240, 180, QImage::Format_ARGB32);
    border.fill(qRgb(255, 0, 255));
    for (int y = 10; y < 170; ++y)
        for (int x = 10; x < 230; ++x)
            border.setPixel(x, y, 0);
    h.loadBorder(7, h.writePng(QStringLiteral("border.png"), border));

    answer(h.writePng(QStringLiteral("portrait.png"), quarters({200, 400})));
    waitForLoad();
    part(QStringLiteral("sub_selectbg_button"))->release();
    Clip* photo = h.at(QStringLiteral("dv/cam_pic_mc/FromPhoto_mc/photo_mc"));
    EXPECT_DOUBLE_EQ(photo->xScale(), 100);
    EXPECT_EQ(photo->child(QStringLiteral("MyPhoto"))->childAtDepth(1)->bitmap(), myBitMap());
    EXPECT_EQ(scaleRating(), QStringLiteral("(100%)"));

    player::BitmapPtr shot = h.snapshot();
    EXPECT_EQ(shot->getPixel(3, 3), 0xFF00FFu) << "the border lies above the picture";
    EXPECT_EQ(shot->getPixel(50, 50), 0xC80000u) << "top left quarter, at 100 %";
    EXPECT_EQ(shot->getPixel(150, 50), 0x00C800u) << "top right quarter begins at x 100";
    EXPECT_EQ(shot->getPixel(150, 160), 0x00C800u) << "a portrait reaches below the view";

    h.stage().sendWheel(-40);
    EXPECT_EQ(scaleRating(), QStringLiteral("(60%)"));
    h.at(kSlots + QStringLiteral("/Reset_size_button"))->release();
    EXPECT_EQ(scaleRating(), QStringLiteral("(100%)"));
    EXPECT_DOUBLE_EQ(photo->xScale(), 100);
    EXPECT_DOUBLE_EQ(photo->yScale(), 100);

    // The slot keeps its picture; Delete does not take it from the composite page.
    part(QStringLiteral("sub_delete_but"))->release();
    EXPECT_EQ(h.snapshot()->getPixel(50, 50), 0xC80000u);
}

TEST_F(PhotoSlotTest, ThumbnailIsPaintedInTheSlot) {
    answer(h.writePng(QStringLiteral("t.png"), quarters({800, 600})));
    waitForLoad();
    // The slot's thumbnail is shrunk away from the frames and replaces the first paint.
    testsupport::spin(300);
    const QImage stage = testsupport::renderStage(h.stage());
    const QPointF topLeft = slot()->mapToScene(QPointF(20, 10));
    const QPointF topRight = slot()->mapToScene(QPointF(60, 10));
    EXPECT_LE(colourDistance(stage.pixel(topLeft.toPoint()), qRgb(200, 0, 0)), 12);
    EXPECT_LE(colourDistance(stage.pixel(topRight.toPoint()), qRgb(0, 200, 0)), 12);
}

TEST_F(PhotoSlotTest, DroppedPictureFileCountsAsChosen) {
    const QString text = writeBytes(QStringLiteral("notes.txt"), "x");
    EXPECT_FALSE(drop(text)) << "only picture files";
    EXPECT_FALSE(drop(h.dir() + QStringLiteral("/gone.png"))) << "only existing files";
    EXPECT_EQ(visible(), QStringList{"but_uploadfile_mc"});

    const QString png = h.writePng(QStringLiteral("dropped.PNG"), quarters({120, 90}));
    EXPECT_TRUE(drop(png));
    waitForLoad();
    EXPECT_EQ(visible(), loadedParts());
    EXPECT_EQ(myBitMap()->image().size(), QSize(120, 90));
    EXPECT_TRUE(h.commands().isEmpty()) << "no dialog was asked for";
    EXPECT_EQ(visible(2), QStringList{"but_uploadfile_mc"});

    EXPECT_FALSE(drop(png)) << "a loaded slot takes a new picture only after Delete";
    testsupport::spin(50);
    EXPECT_EQ(visible(), loadedParts());
    h.root()->setVar(QStringLiteral("SetIdeType"), QStringLiteral("ie"));
    EXPECT_FALSE(drop(png, 2)) << "the browser edition uploads what it shows";
}

TEST(PictureUploadName, TakesTheNameFromItsLastDotAndTheSiteTakesEveryOne) {
    const struct {
        const char* file;
        const char* name;
    } rows[] = {
        {"a.b.jpg", "1151234567890_.jpg"},
        {"photo", "1151234567890_photo"},
        {"myphoto", "1151234567890_myphoto"},
        {"照片.PNG", "1151234567890_.PNG"},
        {"照片", "1151234567890_"},
        {"scan.jpeg2000", "1151234567890_.jpeg2000"},
        {"x.abcdefghijklmnopqrstuvwxyz0123456", "1151234567890_"},
        {"a.p&n#g?x=1|", "1151234567890_"},
        {"ends with a dot.", "1151234567890_"},
        {"../../x", "1151234567890_"},
    };
    for (const auto& row : rows) {
        const QString name = capture::uploadName(QString::fromUtf8(row.file), 1151234567890);
        EXPECT_EQ(name, QString::fromUtf8(row.name)) << row.file;
        EXPECT_TRUE(common::isPictureUploadName(name.toStdString())) << row.file;
    }
}

} // namespace
} // namespace capturetest
