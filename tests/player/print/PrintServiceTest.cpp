#include "player/print/PrintService.h"

#include "player/Bitmap.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using player::Clip;
using player::PrintService;

// The pictures a PDF file holds, as written by Qt's PDF engine: each image object names
// its size and, for an opaque picture, carries it as a JPEG stream.
struct PdfImage {
    int width = 0;
    int height = 0;
    QImage decoded;
};

QList<PdfImage> pdfImages(const QByteArray& pdf) {
    QList<PdfImage> images;
    static const QRegularExpression object(
        QStringLiteral("<<([^>]*/Subtype\\s*/Image[^>]*)>>\\s*stream\\r?\\n"));
    const QString text = QString::fromLatin1(pdf);
    for (auto it = object.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString dict = match.captured(1);
        PdfImage image;
        image.width =
            QRegularExpression(QStringLiteral("/Width\\s+(\\d+)")).match(dict).captured(1).toInt();
        image.height =
            QRegularExpression(QStringLiteral("/Height\\s+(\\d+)")).match(dict).captured(1).toInt();
        if (dict.contains(QLatin1String("/DCTDecode"))) {
            const qsizetype start = match.capturedEnd();
            const qsizetype end = pdf.indexOf("endstream", start);
            image.decoded = QImage::fromData(pdf.mid(start, end - start), "JPEG");
        }
        images.append(image);
    }
    return images;
}

class PrintServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pdfPath = dir.filePath("print.pdf");
        PrintService::of(stage).setPrinterChooser([this](QWidget*) -> std::unique_ptr<QPrinter> {
            ++asked;
            if (cancel)
                return nullptr;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdfPath);
            return printer;
        });
    }

    // A 240×180 grey plate with a white edge and a red picture over its left half.
    Clip* makePicture() {
        Clip* clip = stage.root()->createEmptyMovieClip("pic", 1);
        clip->setPos(100, 50);
        clip->setRect(QRectF(0, 0, 240, 180), QColor(0x99, 0x99, 0x99), Qt::white);
        auto half = std::make_shared<player::Bitmap>(120, 180, true, 0xFFFF0000);
        clip->attachBitmap(half, 50);
        return clip;
    }

    QByteArray pdf() const {
        QFile file(pdfPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    player::Stage stage;
    QTemporaryDir dir;
    QString pdfPath;
    int asked = 0;
    bool cancel = false;
};

TEST_F(PrintServiceTest, RendersTheClipAloneInItsOwnCoordinates) {
    Clip* pic = makePicture();
    Clip* sibling = stage.root()->createEmptyMovieClip("button", 2);
    sibling->setRect(QRectF(100, 50, 50, 50), Qt::green);
    const QImage image = PrintService::renderAsBitmap(*pic);
    ASSERT_EQ(image.size(), QSize(240, 180));
    EXPECT_EQ(image.pixel(60, 90) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(180, 90) & 0xFFFFFF, 0x999999u);
    EXPECT_EQ(image.pixel(239, 90) & 0xFFFFFF, 0xFFFFFFu) << "white edge";
    EXPECT_EQ(image.pixel(180, 179) & 0xFFFFFF, 0xFFFFFFu) << "white edge";
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFF0000u) << "the sibling is not printed";
}

TEST_F(PrintServiceTest, BoundingBoxStartsWhereTheContentStarts) {
    Clip* clip = stage.root()->createEmptyMovieClip("offset", 1);
    Clip* inner = clip->createEmptyMovieClip("inner", 1);
    inner->setPos(-10, -20);
    inner->setRect(QRectF(0, 0, 30, 40), Qt::blue);
    const QImage image = PrintService::renderAsBitmap(*clip);
    ASSERT_EQ(image.size(), QSize(30, 40));
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(29, 39) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(PrintServiceTest, PrintsThePictureToTheChosenPrinter) {
    Clip* pic = makePicture();
    EXPECT_TRUE(PrintService::of(stage).printAsBitmap(*pic));
    EXPECT_EQ(asked, 1);
    const QByteArray bytes = pdf();
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    const QList<PdfImage> images = pdfImages(bytes);
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images[0].width, 240);
    EXPECT_EQ(images[0].height, 180);
    ASSERT_FALSE(images[0].decoded.isNull()) << "an opaque picture goes in as JPEG";
    {
        const QColor left = images[0].decoded.pixelColor(60, 90);
        const QColor right = images[0].decoded.pixelColor(180, 90);
        EXPECT_GT(left.red(), 200);
        EXPECT_LT(left.green(), 60);
        EXPECT_NEAR(right.red(), 0x99, 12);
        EXPECT_NEAR(right.blue(), 0x99, 12);
    }
}

TEST_F(PrintServiceTest, CancelledDialogPrintsNothing) {
    cancel = true;
    EXPECT_FALSE(PrintService::of(stage).printAsBitmap(*makePicture()));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(pdfPath));
}

TEST_F(PrintServiceTest, EmptyClipDoesNotAskForAPrinter) {
    Clip* empty = stage.root()->createEmptyMovieClip("empty", 1);
    EXPECT_FALSE(PrintService::of(stage).printAsBitmap(*empty));
    EXPECT_EQ(asked, 0);
}

TEST_F(PrintServiceTest, OnePrintServicePerStage) {
    EXPECT_EQ(&PrintService::of(stage), &PrintService::of(stage));
    player::Stage other;
    EXPECT_NE(&PrintService::of(stage), &PrintService::of(other));
}

} // namespace
