// Every page, panel and window in English: each text within its field, and no text over
// another. The layouts were drawn for the Chinese texts, which are shorter.
#include "movie/capture/CameraDetection.h"
#include "movie/capture/ShutterToggles.h"
#include "movie/common/MovieNames.h"
#include "movie/common/SharedRules.h"
#include "movie/output/SavePhoto.h"
#include "movie/output/UploadPieces.h"
#include "movie/shell/BlinkingHint.h"
#include "movie/shell/ShellFixture.h"
#include "player/SettingsPanel.h"
#include "player/Stage.h"
#include "player/TextField.h"
#include "player/print/StickerSheetDialog.h"
#include "support/RenderStage.h"
#include "updates/TForm3.h"

#include <QAbstractButton>
#include <QDir>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <string>

namespace {

using player::Clip;
using player::TextField;

// Pixels a text may run past its field: anti-aliasing, not a cut glyph.
constexpr qreal kSlack = 0.5;

struct DrawnText {
    QString where;
    QString text;
    QRectF ink; // in stage coordinates
};

QRectF aligned(QSizeF need, QSizeF box, Qt::Alignment align) {
    qreal x = 0, y = 0;
    if (align & Qt::AlignRight)
        x = box.width() - need.width();
    else if (align & Qt::AlignHCenter)
        x = (box.width() - need.width()) / 2;
    if (align & Qt::AlignBottom)
        y = box.height() - need.height();
    else if (align & Qt::AlignVCenter)
        y = (box.height() - need.height()) / 2;
    return {QPointF(x, y), need};
}

// Checks each text below `clip` against its field and collects where the shown ones are.
void checkTexts(const Clip& clip, QList<DrawnText>& shown) {
    for (Clip* child : clip.childClips()) {
        const QString where = child->targetPath();
        if (const auto* field = qobject_cast<const TextField*>(child);
            field && !field->text().isEmpty()) {
            const QSizeF need = field->textSize();
            EXPECT_LE(need.width(), field->size().width() + kSlack)
                << where.toStdString() << ": \"" << field->text().toStdString() << '"';
            // A wrapped text that runs too long loses its last lines.
            if (field->style().wrap) {
                EXPECT_LE(need.height(), field->size().height() + kSlack)
                    << where.toStdString() << ": \"" << field->text().toStdString() << '"';
            }
            if (field->isVisible())
                shown.append(
                    {where, field->text(),
                     field->mapRectToScene(aligned(need, field->size(), field->style().align))});
        }
        if (const auto* hint = qobject_cast<const shell::BlinkingHint*>(child)) {
            EXPECT_LE(hint->textSize().width(), hint->size().width() + kSlack)
                << where.toStdString() << ": \"" << hint->text().toStdString() << '"';
        }
        checkTexts(*child, shown);
    }
}

// A push button on the stage or in a window: its label and the button's frame within it.
void expectLabelFits(const QAbstractButton& button, const std::string& where) {
    QStyleOptionButton option;
    option.initFrom(&button);
    const int frame = button.style()->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    EXPECT_LE(button.fontMetrics().horizontalAdvance(button.text()) + frame, button.width())
        << where << ": \"" << button.text().toStdString() << '"';
}

class EnglishStage : public shelltest::ShellMovie {
protected:
    // Every text on the stage fits its field, and no two shown texts cover each other.
    void expectTextsFit(const QString& look) {
        QList<DrawnText> shown;
        checkTexts(*root(), shown);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                const QRectF overlap =
                    shown[i].ink.adjusted(1, 1, -1, -1) & shown[j].ink.adjusted(1, 1, -1, -1);
                EXPECT_TRUE(overlap.isEmpty())
                    << look.toStdString() << ": \"" << shown[i].text.toStdString() << "\" ("
                    << shown[i].where.toStdString() << ") over \"" << shown[j].text.toStdString()
                    << "\" (" << shown[j].where.toStdString() << ')';
            }
        }
        for (QGraphicsItem* item : stage().items()) {
            auto* proxy = dynamic_cast<QGraphicsProxyWidget*>(item);
            auto* button = proxy ? qobject_cast<QAbstractButton*>(proxy->widget()) : nullptr;
            if (button)
                expectLabelFits(*button, look.toStdString());
        }
        // With IVEMBA_SHOT_DIR set, each look is saved there for a look by eye.
        if (const QString dir = qEnvironmentVariable("IVEMBA_SHOT_DIR"); !dir.isEmpty())
            testsupport::renderStage(stage()).save(QDir(dir).filePath(look + ".png"));
    }

    // The pages answer a page change once their own first frame has played.
    void showPage(const char* page) {
        for (int i = 0; i < 3; ++i)
            stage().clock().tick();
        root()->call(moviecommon::calls::Shiftpage, {QString::fromUtf8(page)});
        for (int i = 0; i < 3; ++i)
            stage().clock().tick();
    }

    void setText(const QString& path, const QString& variable, const QString& text) {
        Clip* owner = clip(path);
        ASSERT_NE(owner, nullptr) << path.toStdString();
        owner->setVar(variable, text);
    }
};

TEST_F(EnglishStage, CapturePageWithEachCameraMessage) {
    start(QStringLiteral("soft"));
    setText(moviecommon::paths::capture, moviecommon::vars::info_Capture_count_txt,
            moviecommon::captureCountText(9999));
    for (const QString& message :
         {capture::noCameraMessage(), capture::cameraBusyMessage(), capture::detectingMessage()}) {
        setText(moviecommon::paths::captureView, moviecommon::vars::cam_info, message);
        expectTextsFit(QStringLiteral("en_capture"));
    }
}

TEST_F(EnglishStage, CapturePageWithTheLongestShutterChoices) {
    settings.selfTimer = 10;
    settings.burst = 4;
    start(QStringLiteral("soft"));
    auto* timer =
        qobject_cast<TextField*>(clip(QStringLiteral("/capture_mc/SelfTimer_button/label")));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->text(), capture::selfTimerLabel(10));
    expectTextsFit(QStringLiteral("en_capture_toggles"));
}

TEST_F(EnglishStage, PicturePage) {
    start(QStringLiteral("soft"));
    showPage("photo");
    const Clip* picturePanel = clip(QStringLiteral("/capture_mc/local_photo_previews_mc"));
    ASSERT_NE(picturePanel, nullptr);
    ASSERT_TRUE(picturePanel->isVisible());
    expectTextsFit(QStringLiteral("en_photo"));
}

TEST_F(EnglishStage, TrayPageWithACard) {
    start(QStringLiteral("soft"));
    root()->call(moviecommon::calls::CaptureDo);
    showPage("manage");
    Clip* card = clip(QStringLiteral("/manage_mc/Photo1"));
    ASSERT_NE(card, nullptr);
    // Each button's label, as the pointer over the button shows it.
    for (const char* button : {"but_delete", "but_print", "but_save"}) {
        Clip* shown = card->child(QString::fromUtf8(button));
        ASSERT_NE(shown, nullptr) << button;
        shown->rollOver();
        expectTextsFit(QStringLiteral("en_tray_") + QString::fromUtf8(button));
        shown->rollOut();
    }
    expectTextsFit(QStringLiteral("en_tray"));
}

TEST_F(EnglishStage, HintsOfTheTitleBar) {
    start(QStringLiteral("soft"));
    for (const char* hint :
         {"upload_hintMsg_mc", "NewBorder_hintMsg_mc", "BorderDone_hintMsg_mc"}) {
        Clip* shown = clip(QString::fromUtf8(hint));
        ASSERT_NE(shown, nullptr) << hint;
        shown->show();
        expectTextsFit(QStringLiteral("en_hint_") + QString::fromUtf8(hint));
        shown->hide();
    }
}

TEST_F(EnglishStage, StatusPanelWithEachStatus) {
    start(QStringLiteral("soft"));
    Clip* status = clip(QStringLiteral("Upload_Status_mc"));
    ASSERT_NE(status, nullptr);
    status->show();
    for (const QString& text : {output::saveStatusText(), output::uploadProgressText(99, 100),
                                output::uploadSendingText()}) {
        status->setVar(QStringLiteral("text"), text);
        expectTextsFit(QStringLiteral("en_status"));
    }
}

TEST_F(EnglishStage, PictureDetailsPanel) {
    start(QStringLiteral("soft"));
    Clip* panel = clip(QStringLiteral("Uploadsetting_mc"));
    ASSERT_NE(panel, nullptr);
    panel->show();
    expectTextsFit(QStringLiteral("en_upload_settings"));
}

TEST_F(EnglishStage, TranslationsReachTheCode) {
    start(QStringLiteral("soft"));
    // Texts of a class are looked up under the class's full name: a catalogue made without
    // the class's header files would leave them Chinese.
    EXPECT_EQ(player::Stage::settingsEntry(), QStringLiteral("Settings..."));
    EXPECT_EQ(moviecommon::captureCountText(3), QStringLiteral("Photos taken: 3"));
}

// The windows laid out by Qt: every label and button gets the room its English text asks for.
void expectRoomForEveryText(QWidget& window, const QString& look) {
    window.show();
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() ||
            (!qobject_cast<const QLabel*>(widget) && !qobject_cast<const QAbstractButton*>(widget)))
            continue;
        EXPECT_GE(widget->width(), widget->sizeHint().width())
            << look.toStdString() << ": " << widget->metaObject()->className();
    }
    if (const QString dir = qEnvironmentVariable("IVEMBA_SHOT_DIR"); !dir.isEmpty())
        window.grab().save(QDir(dir).filePath(look + QStringLiteral(".png")));
}

TEST_F(EnglishStage, PlayerSettingsPanel) {
    start(QStringLiteral("soft"));
    player::SettingsPanel* panel = stage().showSettings(1);
    ASSERT_NE(panel, nullptr);
    expectRoomForEveryText(*panel, QStringLiteral("en_settings_panel"));
    panel->close();
}

TEST(EnglishStickerSheet, EveryTextHasRoom) {
    QImage card(240, 180, QImage::Format_RGB32);
    card.fill(Qt::darkCyan);
    player::StickerSheetDialog dialog({card, card}, 0, [](const QString&) { return QString(); });
    expectRoomForEveryText(dialog, QStringLiteral("en_sticker_sheet"));
}

TEST(EnglishUpdateWindow, EveryCaptionFitsItsPlace) {
    updates::TForm3 window({}, nullptr);
    window.show();
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        expectLabelFits(*button, "border update window");
    for (const QLabel* label : window.findChildren<QLabel*>())
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
    if (const QString dir = qEnvironmentVariable("IVEMBA_SHOT_DIR"); !dir.isEmpty())
        window.grab().save(QDir(dir).filePath(QStringLiteral("en_update_window.png")));
}

} // namespace
