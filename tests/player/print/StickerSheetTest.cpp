#include "player/print/StickerLayout.h"
#include "player/print/StickerSheetDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using player::StickerLayout;
using player::StickerSheetDialog;

constexpr int kRenderDpi = 100;
constexpr double kDotsPerMm = kRenderDpi / 25.4;

QList<QImage> colouredCards(int count) {
    QList<QImage> cards;
    for (int i = 0; i < count; ++i) {
        QImage card(240, 180, QImage::Format_RGB32);
        card.fill(QColor::fromHsv(i * 360 / count, 255, 210));
        cards.append(card);
    }
    return cards;
}

bool near(QColor a, QColor b, int tolerance = 28) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QPoint pixelAt(QPointF mm) {
    return (mm * kDotsPerMm).toPoint();
}

// The sheet saved as PDF and drawn back by poppler, as a viewer or a print shop would.
class StickerPdf : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }

    QImage savedAndRendered(StickerSheetDialog& dialog) {
        const QString chosen = dir.filePath("sheet"); // no suffix: ".pdf" is added
        EXPECT_TRUE(dialog.saveAsPdf()) << dialog.lastError().toStdString();
        const QString pdf = chosen + ".pdf";
        EXPECT_TRUE(QFile::exists(pdf));
        QProcess render;
        render.start("pdftoppm", {"-r", QString::number(kRenderDpi), "-png", "-singlefile", pdf,
                                  dir.filePath("page")});
        EXPECT_TRUE(render.waitForFinished(30000));
        EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
        return QImage(dir.filePath("page.png"));
    }

    QTemporaryDir dir;
};

TEST_F(StickerPdf, FourByFourA4ShowsSixteenStickersWhereTheLayoutPutsThem) {
    const QList<QImage> cards = colouredCards(16);
    StickerSheetDialog dialog(cards, 0, [this](const QString&) { return dir.filePath("sheet"); });
    dialog.paperBox->setCurrentIndex(0);  // A4
    dialog.layoutBox->setCurrentIndex(2); // 4 × 4
    dialog.fillBox->setCurrentIndex(1);   // every card in turn
    const QImage page = savedAndRendered(dialog);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 210 * kDotsPerMm, 2);
    EXPECT_NEAR(page.height(), 297 * kDotsPerMm, 2);

    const QRectF a4(0, 0, 210, 297);
    const StickerLayout::Sheet sheet = StickerLayout::grid(4, 4, 5).arrange({a4, a4});
    ASSERT_EQ(sheet.stickers.size(), 16);
    const QColor white(Qt::white);
    for (int i = 0; i < 16; ++i) {
        const QRectF s = sheet.stickers.at(i);
        const QColor want = cards.at(i).pixelColor(0, 0);
        // Inside the sticker, near its middle and near each corner: the card's colour.
        for (QPointF at :
             {s.center(), s.topLeft() + QPointF(2, 2), s.bottomRight() - QPointF(2, 2)})
            EXPECT_TRUE(near(page.pixelColor(pixelAt(at)), want))
                << "sticker " << i << " at " << at.x() << "," << at.y() << " shows "
                << page.pixelColor(pixelAt(at)).name().toStdString();
        // Just outside it, before the cut line: paper.
        for (QPointF at :
             {QPointF(s.left() - 0.8, s.center().y()), QPointF(s.right() + 0.8, s.center().y()),
              QPointF(s.center().x(), s.top() - 0.8), QPointF(s.center().x(), s.bottom() + 0.8)})
            EXPECT_TRUE(near(page.pixelColor(pixelAt(at)), white, 8))
                << "around sticker " << i << " at " << at.x() << "," << at.y();
    }
    // The margins and the space above and below the block are blank.
    for (QPointF at : {QPointF(2, 2), QPointF(105, 30), QPointF(105, 270), QPointF(208, 295)})
        EXPECT_TRUE(near(page.pixelColor(pixelAt(at)), white, 8)) << at.x() << "," << at.y();
}

TEST_F(StickerPdf, CopiesOfTheFrontCardFillEveryPlace) {
    const QList<QImage> cards = colouredCards(5);
    StickerSheetDialog dialog(cards, 3, [this](const QString&) { return dir.filePath("sheet"); });
    dialog.layoutBox->setCurrentIndex(0); // 2 × 2
    const QImage page = savedAndRendered(dialog);
    ASSERT_FALSE(page.isNull());
    const QRectF a4(0, 0, 210, 297);
    for (const QRectF& s : StickerLayout::grid(2, 2, 5).arrange({a4, a4}).stickers)
        EXPECT_TRUE(near(page.pixelColor(pixelAt(s.center())), cards.at(3).pixelColor(0, 0)));
}

// The dialog as the user sees it (IVEMBA_LOOK_PNG names where it is kept).
TEST(StickerDialogLook, ShowsTheChoicesBesideAPreviewOfThePage) {
    StickerSheetDialog dialog(colouredCards(6), 5, [](const QString&) { return QString(); });
    dialog.resize(820, 600);
    dialog.show();
    dialog.preview()->fitInView();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.preview()->pageCount(), 1);
    dialog.fillBox->setCurrentIndex(1);
    dialog.layoutBox->setCurrentIndex(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.preview()->pageCount(), 2) << "six cards, four places a page";
    dialog.layoutBox->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const QImage shot = dialog.grab().toImage();
    const QString path = qEnvironmentVariableIsSet("IVEMBA_LOOK_PNG")
                             ? qEnvironmentVariable("IVEMBA_LOOK_PNG")
                             : QDir::temp().filePath("ivemba_sticker_dialog.png");
    EXPECT_TRUE(shot.save(path));
    // The page itself, for a look in a PDF viewer (IVEMBA_LOOK_PDF).
    if (qEnvironmentVariableIsSet("IVEMBA_LOOK_PDF")) {
        dialog.layoutBox->setCurrentIndex(2);
        QFile pdf(qEnvironmentVariable("IVEMBA_LOOK_PDF"));
        ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(dialog.pdfBytes());
    }
}

} // namespace
