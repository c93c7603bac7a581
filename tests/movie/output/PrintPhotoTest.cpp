#include "player/print/PrintService.h"
#include "support/TrayMovie.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using player::Clip;
using traytest::TrayMovie;

// Each print goes to its own PDF file.
struct PdfPrinters {
    explicit PdfPrinters(player::Stage& stage) {
        player::PrintService::of(stage).setPrinterChooser(
            [this](QWidget*) -> std::unique_ptr<QPrinter> {
                auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
                printer->setOutputFormat(QPrinter::PdfFormat);
                files.append(dir.filePath(QString("print%1.pdf").arg(files.size())));
                printer->setOutputFileName(files.constLast());
                return printer;
            });
    }
    QTemporaryDir dir;
    QStringList files;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first picture of a PDF written by Qt: its size and, as a JPEG stream, its pixels.
QImage firstPicture(const QByteArray& pdf, QSize* size) {
    const qsizetype image = pdf.indexOf("/Subtype /Image");
    if (image < 0)
        return {};
    const qsizetype open = pdf.lastIndexOf("<<", image);
    const qsizetype start = pdf.indexOf("stream", image) + 6;
    const QByteArray dict = pdf.mid(open, start - open);
    auto number = [&dict](const QString& key) {
        const QRegularExpression pattern(key + QStringLiteral("\\s+(\\d+)"));
        return pattern.match(QString::fromLatin1(dict)).captured(1).toInt();
    };
    *size = QSize(number(QStringLiteral("/Width")), number(QStringLiteral("/Height")));
    qsizetype body = start;
    while (body < pdf.size() && (pdf[body] == '\r' || pdf[body] == '\n'))
        ++body;
    return QImage::fromData(pdf.mid(body, pdf.indexOf("endstream", body) - body), "JPEG");
}

TEST(PrintPhoto, EachCardPrintsItsOwnPictureAloneWithoutAHostCommand) {
    TrayMovie movie;
    movie.root()->setVar("SetIdeType", "soft");
    PdfPrinters printers(movie.stage());
    Clip* red = movie.snap(0xFFFF0000);
    Clip* blue = movie.snap(0xFF0000FF);
    for (Clip* card : {red, blue}) {
        Clip* print = card->child("but_print");
        print->press();
        print->release();
    }
    ASSERT_EQ(printers.files.size(), 2);
    const QRgb expected[] = {0xFF0000, 0x0000FF};
    for (int i = 0; i < 2; ++i) {
        const QByteArray pdf = readAll(printers.files[i]);
        ASSERT_TRUE(pdf.startsWith("%PDF")) << i;
        EXPECT_EQ(pdf.count("/Subtype /Image"), 1) << i;
        QSize size;
        const QImage picture = firstPicture(pdf, &size);
        // The picture is 240×180: no shadow, caption or tray around it.
        EXPECT_EQ(size, QSize(240, 180)) << i;
        ASSERT_FALSE(picture.isNull()) << i;
        // Where the buttons lie over the photo, the photo is printed, not the icons.
        for (QPoint at : {QPoint(120, 90), QPoint(106, 155), QPoint(160, 155), QPoint(213, 155)}) {
            const QColor c = picture.pixelColor(at);
            const QColor want = QColor::fromRgb(expected[i]);
            EXPECT_NEAR(c.red(), want.red(), 40) << i << " at " << at.x() << "," << at.y();
            EXPECT_NEAR(c.green(), want.green(), 40) << i << " at " << at.x() << "," << at.y();
            EXPECT_NEAR(c.blue(), want.blue(), 40) << i << " at " << at.x() << "," << at.y();
        }
    }
    EXPECT_TRUE(movie.commands.isEmpty());
}

} // namespace
