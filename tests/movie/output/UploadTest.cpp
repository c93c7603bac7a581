#include "UploadHarness.h"
#include "movie/output/Lwz.h"
#include "movie/output/SavePhoto.h"
#include "movie/output/UploadPieces.h"
#include "movie/output/UploadSettings.h"
#include "player/Services.h"
#include "support/LocalSite.h"
#include "support/RenderStage.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGraphicsProxyWidget>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using player::Clip;
using testsupport::LocalSite;
using testsupport::spin;
using testsupport::waitUntil;
using uploadtest::UploadMovie;

const QString kOkAnswer = "status=ok&actionname=sendpic&filename=p1.jpg&tTime=1&tTime0=2";

std::vector<int> codes(const QString& text) {
    const common::Result<QString> c = output::lwzCompress(text);
    std::vector<int> out;
    if (c)
        for (QChar ch : *c)
            out.push_back(ch.unicode());
    return out;
}

// "-" followed by `length` − 1 digits, the shape of a pixel text.
QString digits(qsizetype length) {
    QString text(length, '7');
    text[0] = '-';
    for (qsizetype i = 1; i < length; i += 9)
        text[i] = '-';
    return text;
}

// Runs an upload of `text` frame by frame with the clock ticked by hand.
struct UploadRun {
    QStringList progress;
    QString sent;
};
UploadRun runUpload(UploadMovie& movie, LocalSite& site, const QString& text) {
    movie.upload()->call("UploadString", {text});
    UploadRun run;
    for (int frame = 0; frame < 20 && movie.upload()->var("sendOk").toBool(); ++frame)
        movie.stage().clock().tick();
    run.progress = movie.statusTexts;
    EXPECT_TRUE(waitUntil([&] { return site.count("/upload2.aspx") == 1; }));
    if (site.count("/upload2.aspx") == 1)
        run.sent = QString::fromStdString(site.requests().back().field("text"));
    return run;
}

TEST(UploadPieces, TheLeadingDashIsInNoPieceAndTheLastRunsToTheEnd) {
    const QString text = digits(300000);
    ASSERT_EQ(output::uploadPieceCount(text.size()), 5);
    QString joined;
    for (int k = 1; k <= 5; ++k) {
        const QStringView piece = output::uploadPiece(text, k, 5);
        EXPECT_EQ(piece.size(), k < 5 ? 70000 : 19999) << "piece " << k;
        joined += piece;
    }
    EXPECT_EQ(joined, text.mid(1));

    const QString exact = digits(140000);
    ASSERT_EQ(output::uploadPieceCount(exact.size()), 3);
    EXPECT_EQ(output::uploadPiece(exact, 1, 3).size(), 70000);
    EXPECT_EQ(output::uploadPiece(exact, 2, 3).size(), 69999);
    EXPECT_TRUE(output::uploadPiece(exact, 3, 3).isEmpty());
    EXPECT_EQ(output::uploadPieceCount(1), 1);
    EXPECT_TRUE(output::uploadPiece(QStringLiteral("-"), 1, 1).isEmpty());
}

TEST(Lwz, CodesFollowTheFreshDictionary) {
    EXPECT_EQ(codes("-1-1"), (std::vector<int>{45, 49, 256}));
    EXPECT_EQ(codes("-1-1-1"), (std::vector<int>{45, 49, 256, 256}));
    EXPECT_EQ(codes("aaaa"), (std::vector<int>{97, 256, 97}));
    EXPECT_TRUE(output::lwzCompress(QString())->isEmpty());
    EXPECT_FALSE(output::lwzCompress(QStringLiteral("主题")).ok());
    // Every call starts again: the second call does not know the first one's phrases.
    EXPECT_EQ(codes("-1-1"), (std::vector<int>{45, 49, 256}));
}

TEST(Lwz, TheClipCompressesAndIsNeverXmlSafe) {
    LocalSite site;
    UploadMovie movie(site);
    Clip* lwz = movie.root()->child("Lwz");
    EXPECT_EQ(lwz->var("xmlsafe"), QVariant(false));
    const QString piece = digits(70000).mid(1);
    const QString compressed = lwz->call("compress", {piece}).toString();
    EXPECT_FALSE(compressed.contains('*'));
    EXPECT_EQ(uploadtest::expand("*" + compressed), piece);
    EXPECT_FALSE(lwz->call("compress", {QStringLiteral("é中")}).isValid());
}

TEST(UploadProgress, FivePiecesShowTwentyToHundredPercent) {
    LocalSite site;
    site.answer("/upload2.aspx", "status=failed");
    UploadMovie movie(site);
    const QString text = digits(300000);
    const UploadRun run = runUpload(movie, site, text);
    const QString p = "处理图像中，请稍候 ... ...";
    EXPECT_EQ(run.progress, (QStringList{"提取图像，请稍候 ... ...", p + "20 %", p + "40 %",
                                         p + "60 %", p + "80 %", p + "100 %", p + "120 %",
                                         "传送图像需要几秒钟，请稍候......"}));
    EXPECT_EQ(run.sent.count('*'), 5);
    EXPECT_TRUE(run.sent.startsWith('*'));
    EXPECT_EQ(uploadtest::expand(run.sent), text.mid(1));
}

TEST(UploadProgress, NextItemBeforeAnyTextDoesNothing) {
    LocalSite site;
    UploadMovie movie(site);
    EXPECT_FALSE(movie.upload()->call("NextItem", {}).toBool());
    EXPECT_FALSE(movie.panel()->isVisible());
    EXPECT_EQ(output::uploadProgressText(0, 0), "处理图像中，请稍候 ... ...0 %");
}

TEST(UploadProgress, AnExactMultipleEndsInAnEmptyPiece) {
    LocalSite site;
    site.answer("/upload2.aspx", "status=failed");
    UploadMovie movie(site);
    const QString text = digits(140000);
    const UploadRun run = runUpload(movie, site, text);
    const QString p = "处理图像中，请稍候 ... ...";
    EXPECT_TRUE(run.progress.contains(p + "33 %"));
    EXPECT_TRUE(run.progress.contains(p + "66 %"));
    EXPECT_TRUE(run.progress.contains(p + "100 %"));
    EXPECT_EQ(run.sent.count('*'), 3);
    EXPECT_TRUE(run.sent.endsWith('*'));
    EXPECT_EQ(uploadtest::expand(run.sent), text.mid(1));
    // The work is over: the frame handler is gone, the status panel hidden once answered.
    EXPECT_FALSE(movie.upload()->needsFrames());
    EXPECT_TRUE(waitUntil([&] { return !movie.panel()->isVisible(); }));
}

TEST(UploadSettingsPanel, ShowsTheBoxOverAVeilThatCatchesEveryClick) {
    LocalSite site;
    UploadMovie movie(site);
    Clip* card = movie.snap();
    ASSERT_TRUE(movie.openSettings(*card));
    Clip* panel = movie.settings();
    Clip* veil = panel->child("Rect_Hint_mc");
    ASSERT_NE(veil, nullptr);
    EXPECT_DOUBLE_EQ(veil->alpha(), 30);
    // The card's buttons lie under the veil: a click there reaches the veil alone.
    EXPECT_EQ(movie.stage().buttonAt(card->child("but_save")->mapToScene(QPointF(10, 10))), veil);
    EXPECT_EQ(movie.stage().buttonAt(QPointF(5, 595)), veil);
    EXPECT_EQ(panel->child("box_mc")->pos(), QPointF(272, 195));
    for (const QString& name : {output::kTitleField, output::kAuthorField}) {
        QLineEdit* field = output::uploadSettingsField(*panel, name);
        ASSERT_NE(field, nullptr) << name.toStdString();
        EXPECT_EQ(field->size(), QSize(155, 18));
        EXPECT_EQ(field->font().pixelSize(), 14);
        EXPECT_GE(field->maxLength(), 1000000) << "no length limit";
    }
    const qreal titleY = output::uploadSettingsField(*panel, output::kTitleField)
                             ->graphicsProxyWidget()
                             ->scenePos()
                             .y();
    const qreal authorY = output::uploadSettingsField(*panel, output::kAuthorField)
                              ->graphicsProxyWidget()
                              ->scenePos()
                              .y();
    EXPECT_DOUBLE_EQ(authorY - titleY, 30);
    EXPECT_EQ(output::uploadSettingsButton(*panel, output::kEnterButton)->text(), "确  定");
    EXPECT_EQ(output::uploadSettingsButton(*panel, output::kCancelButton)->text(), "取  消");
    EXPECT_EQ(panel->var("PhotoType").toInt(), 1);
    EXPECT_TRUE(panel->var("SaveBmp").value<player::BitmapPtr>() != nullptr);
}

TEST(UploadSettingsPanel, CancelLeavesNothingPendingAndTheTextsStay) {
    LocalSite site;
    site.answer("/upload2.aspx", kOkAnswer.toStdString());
    UploadMovie movie(site);
    Clip* card = movie.snap();
    ASSERT_TRUE(movie.openSettings(*card));
    output::uploadSettingsField(*movie.settings(), output::kTitleField)->setText("海边");
    output::uploadSettingsField(*movie.settings(), output::kAuthorField)->setText("小明");
    output::uploadSettingsButton(*movie.settings(), output::kCancelButton)->click();
    EXPECT_FALSE(movie.settings()->isVisible());
    spin(200);
    EXPECT_EQ(movie.stage().intervals().count(), 0);
    EXPECT_FALSE(movie.upload()->needsFrames());
    EXPECT_EQ(site.count("/upload2.aspx"), 0);
    EXPECT_FALSE(movie.panel()->isVisible());

    ASSERT_TRUE(movie.openSettings(*card));
    EXPECT_EQ(output::uploadSettingsText(*movie.settings(), output::kTitleField), "海边");
    EXPECT_EQ(output::uploadSettingsText(*movie.settings(), output::kAuthorField), "小明");
}

TEST(UploadSettingsPanel, OkHidesAtOnceAndUploadsFiftyMillisecondsLater) {
    LocalSite site;
    site.answer("/upload2.aspx", "status=failed");
    UploadMovie movie(site);
    Clip* card = movie.snap();
    ASSERT_TRUE(movie.openSettings(*card));
    output::uploadSettingsButton(*movie.settings(), output::kEnterButton)->click();
    EXPECT_FALSE(movie.settings()->isVisible());
    EXPECT_FALSE(movie.panel()->isVisible()) << "the stage is drawn without the panel first";
    ASSERT_TRUE(waitUntil([&] { return movie.panel()->isVisible(); }));
    EXPECT_EQ(movie.statusTexts.value(0), "提取图像，请稍候 ... ...");
}

TEST(UploadSettingsPanel, ChineseTypedIntoTheFieldsArrives) {
    LocalSite site;
    UploadMovie movie(site);
    movie.widget().show();
    ASSERT_TRUE(movie.openSettings(*movie.snap()));
    QLineEdit* title = output::uploadSettingsField(*movie.settings(), output::kTitleField);
    ASSERT_TRUE(waitUntil([&] {
        return movie.stage().focusItem() == title->graphicsProxyWidget();
    })) << "the title field has the keyboard when the panel opens";
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("春天"));
    QCoreApplication::sendEvent(&movie.stage(), &commit);
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("的"));
    QCoreApplication::sendEvent(&movie.stage(), &key);
    EXPECT_EQ(title->text(), "春天的");
}

class Save : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        site.answer("/pics/p1.jpg", "JPEG-BYTES", "image/jpeg");
    }
    QTemporaryDir dir;
    LocalSite site;
};

TEST_F(Save, TheFiveFieldsGoOutAndTheAnsweredFileIsDownloaded) {
    site.answer("/upload2.aspx", kOkAnswer.toStdString());
    UploadMovie movie(site);
    movie.saveTo = dir.filePath("mine.jpg");
    movie.root()->setVar("testPhotoType", 2);
    Clip* card = movie.snap(0xFF204080);
    const QString picture = output::savePictureText(*card);
    ASSERT_TRUE(movie.saveThroughPanel(*card, "海边 & 日落", "小明"));
    const auto request = site.requests().back();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.field("actionname"), "sendpic");
    EXPECT_EQ(request.field("title"), "海边 & 日落");
    EXPECT_EQ(request.field("author"), "小明");
    EXPECT_EQ(request.field("phototype"), "2");
    EXPECT_EQ(uploadtest::expand(QString::fromStdString(request.field("text"))), picture.mid(1));

    ASSERT_TRUE(waitUntil([&] { return QFile::exists(movie.saveTo); }));
    EXPECT_EQ(movie.saveDialogNames, QStringList{"p1.jpg"});
    QFile file(movie.saveTo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "JPEG-BYTES");
    EXPECT_EQ(movie.opened, QStringList{site.url("/photos.aspx") + " _blank"});
    EXPECT_FALSE(movie.panel()->isVisible());
}

TEST_F(Save, EmptyFieldsStillUploadAndTheRequestObjectIsReused) {
    site.answer("/upload2.aspx", kOkAnswer.toStdString());
    UploadMovie movie(site);
    movie.saveTo = dir.filePath("a.jpg");
    Clip* card = movie.snap();
    ASSERT_TRUE(movie.saveThroughPanel(*card));
    auto first = site.requests().back();
    EXPECT_EQ(first.fields.count("title"), 1u);
    EXPECT_EQ(first.field("title"), "");
    EXPECT_EQ(first.field("author"), "");
    ASSERT_TRUE(waitUntil([&] { return movie.saveDialogNames.size() == 1; }));
    ASSERT_TRUE(waitUntil([&] { return !movie.upload()->call("isUploading").toBool(); }));

    ASSERT_TRUE(movie.saveThroughPanel(*card));
    // The answer's values came back into the one request object and go out again.
    EXPECT_EQ(site.requests().back().field("tTime"), "1");
}

TEST_F(Save, AnotherActionNameNeitherDownloadsNorOpensThePhotosPage) {
    site.answer("/upload2.aspx", "status=ok&actionname=other&filename=p1.jpg");
    UploadMovie movie(site);
    movie.saveTo = dir.filePath("x.jpg");
    ASSERT_TRUE(movie.saveThroughPanel(*movie.snap()));
    ASSERT_TRUE(waitUntil([&] { return !movie.panel()->isVisible(); }));
    spin(200);
    EXPECT_TRUE(movie.saveDialogNames.isEmpty());
    EXPECT_TRUE(movie.opened.isEmpty());
    EXPECT_EQ(site.count("/pics/p1.jpg"), 0);
}

TEST_F(Save, AMovieFromALocalFileDownloadsButOpensNoPhotosPage) {
    site.answer("/upload2.aspx", kOkAnswer.toStdString());
    UploadMovie movie(site);
    movie.stage().setMovieUrl("file:///home/me/ivemba.swf");
    movie.saveTo = dir.filePath("y.jpg");
    ASSERT_TRUE(movie.saveThroughPanel(*movie.snap()));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(movie.saveTo); }));
    spin(100);
    EXPECT_TRUE(movie.opened.isEmpty());
    EXPECT_TRUE(movie.traces.filter("getURL").isEmpty()) << "no photos page is even tried";
}

TEST_F(Save, ASecondSaveIsRefusedUntilTheFirstIsAnswered) {
    site.delay("/upload2.aspx", 1500, kOkAnswer.toStdString());
    UploadMovie movie(site);
    movie.saveTo = dir.filePath("z.jpg");
    Clip* first = movie.snap();
    Clip* second = movie.snap(0xFFFF0000);
    ASSERT_TRUE(movie.openSettings(*first));
    movie.enter("一", "");
    ASSERT_TRUE(waitUntil([&] { return movie.upload()->call("isUploading").toBool(); }));
    // While compressing or waiting for the answer, a press on another card opens nothing.
    EXPECT_FALSE(movie.openSettings(*second, 300));
    ASSERT_TRUE(waitUntil([&] { return site.count("/upload2.aspx") == 1; }));
    EXPECT_FALSE(movie.openSettings(*second, 300));
    ASSERT_TRUE(waitUntil([&] { return movie.saveDialogNames.size() == 1; }));
    EXPECT_FALSE(movie.upload()->call("isUploading").toBool());
    ASSERT_TRUE(movie.saveThroughPanel(*second, "二"));
    EXPECT_EQ(site.count("/upload2.aspx"), 2);
}

// What the site answers when it has nothing usable; in every case the panel goes away, no
// dialog is offered and the card stays as it was.
struct BadAnswer {
    const char* name;
    const char* body;
    const char* contentType;
    int delayMs;
};

class BadAnswers : public ::testing::TestWithParam<BadAnswer> {};

TEST_P(BadAnswers, EndSilently) {
    QTemporaryDir dir;
    LocalSite site;
    const BadAnswer bad = GetParam();
    if (bad.delayMs > 0)
        site.delay("/upload2.aspx", bad.delayMs, bad.body);
    else if (std::string(bad.name) == "server_error")
        site.fail("/upload2.aspx", 500);
    else
        site.answer("/upload2.aspx", bad.body, bad.contentType);
    UploadMovie movie(site);
    movie.saveTo = dir.filePath("bad.jpg");
    Clip* card = movie.snap();
    const QString before = output::savePictureText(*card);
    ASSERT_TRUE(movie.saveThroughPanel(*card));
    ASSERT_TRUE(waitUntil([&] { return !movie.upload()->call("isUploading").toBool(); }, 8000));
    spin(100);
    EXPECT_FALSE(movie.panel()->isVisible());
    EXPECT_TRUE(movie.saveDialogNames.isEmpty());
    EXPECT_TRUE(movie.opened.isEmpty());
    EXPECT_EQ(output::savePictureText(*card), before);
    EXPECT_TRUE(card->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Site, BadAnswers,
    ::testing::Values(
        BadAnswer{"server_error", "", "", 0},
        BadAnswer{"html", "<html><body>Server Error</body></html>", "text/html", 0},
        BadAnswer{"ok_without_filename", "status=ok&actionname=sendpic", "text/plain", 0},
        BadAnswer{"ok_with_a_path", "status=ok&actionname=sendpic&filename=../../etc/x",
                  "text/plain", 0},
        BadAnswer{"slow_failure", "status=busy", "text/plain", 1500}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Save, AnAnswerWithoutAFileNameDoesNotReuseThePreviousOne) {
    site.answer("/upload2.aspx", kOkAnswer.toStdString());
    UploadMovie movie(site);
    movie.saveTo = dir.filePath("first.jpg");
    Clip* card = movie.snap();
    ASSERT_TRUE(movie.saveThroughPanel(*card));
    ASSERT_TRUE(waitUntil([&] { return movie.saveDialogNames.size() == 1; }));
    ASSERT_TRUE(waitUntil([&] { return !movie.upload()->call("isUploading").toBool(); }));
    site.answer("/upload2.aspx", "status=ok&actionname=sendpic");
    ASSERT_TRUE(movie.saveThroughPanel(*card));
    ASSERT_TRUE(waitUntil([&] { return !movie.upload()->call("isUploading").toBool(); }));
    spin(200);
    EXPECT_EQ(movie.saveDialogNames.size(), 1) << "the first photo is not offered again";
}

TEST(Upload, ASiteThatNeverAnswersStillLetsTheMovieRun) {
    LocalSite site;
    site.stall("/upload2.aspx", 100, 0);
    UploadMovie movie(site);
    ASSERT_TRUE(movie.saveThroughPanel(*movie.snap()));
    // The request waits; the movie goes on drawing frames and the card can be dragged.
    EXPECT_TRUE(movie.upload()->call("isUploading").toBool());
    EXPECT_FALSE(movie.upload()->needsFrames());
    EXPECT_TRUE(movie.saveDialogNames.isEmpty());
}

} // namespace

namespace {

TEST(UploadSettingsPanel, LooksLikeABoxOverAWhitenedTray) {
    LocalSite site;
    UploadMovie movie(site);
    Clip* card = movie.snap(0xFF3366CC);
    const QImage before = testsupport::renderStage(movie.stage());
    ASSERT_TRUE(movie.openSettings(*card));
    output::uploadSettingsField(*movie.settings(), output::kTitleField)->setText("海边的日落");
    output::uploadSettingsField(*movie.settings(), output::kAuthorField)->setText("小明");
    const QImage after = testsupport::renderStage(movie.stage());
    after.save(QDir::temp().filePath("ivemba-upload-settings.png"));
    // The card's blue is whitened by the veil by about 30 %.
    const QPoint onCard = card->mapToScene(QPointF(60, 40)).toPoint();
    const QColor was = before.pixelColor(onCard), now = after.pixelColor(onCard);
    EXPECT_NEAR(now.red(), was.red() + (255 - was.red()) * 0.3, 4);
    EXPECT_NEAR(now.blue(), was.blue() + (255 - was.blue()) * 0.3, 4);
    // The title bar and the box face.
    EXPECT_GT(after.pixelColor(400, 206).blue(), 150);
    EXPECT_LT(after.pixelColor(400, 206).red(), 120);
    EXPECT_GT(after.pixelColor(275, 300).lightness(), 230);
}

} // namespace
