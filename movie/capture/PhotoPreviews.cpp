#include "movie/capture/PhotoPreviews.h"

#include "movie/capture/CaptureParts.h"
#include "movie/capture/PhotoSlot.h"
#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QTextDocument>
#include <memory>

namespace capture {

using player::Clip;

namespace {

constexpr qreal kHintWidth = 232;

// White text with its two phrases in yellow bold, laid out once.
void addHint(Clip& panel) {
    auto document = std::make_shared<QTextDocument>();
    document->setDefaultFont(player::movieFont(12));
    document->setDocumentMargin(0);
    document->setTextWidth(kHintWidth);
    document->setHtml(QCoreApplication::translate(
        "capture",
        "<div style='color:#ffffff; line-height:140%'>您可以从硬盘中打开两张图片，然后"
        "<b "
        "style='color:#ffff00'>点击其中一张作为大头贴的背景</b>；用鼠标拖动背景来放置人像的位置，"
        "<b style='color:#ffff00'>滚动鼠标滚轮改变背景大小</b>。</div>"));
    Clip* hint = panel.createEmptyMovieClip(QStringLiteral("hint_txt"), 3);
    hint->setPos(-10, 97);
    const QRectF rect(QPointF(0, 0), document->size());
    hint->setContent(rect, [document](QPainter& p) {
        QAbstractTextDocumentLayout::PaintContext context;
        document->documentLayout()->draw(&p, context);
    });
}

// "原始尺寸": white, yellow while the pointer is over it or holds it down.
void addResetButton(Clip& panel) {
    Clip* button = panel.createEmptyMovieClip(QStringLiteral("Reset_size_button"), 4);
    button->setPos(189.25, 218.3);
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = Qt::white;
    style.bold = true;
    const QSizeF size(58, 18);
    player::TextField* label = addText(*button, QStringLiteral("label"), 1, {0, 0}, size, style);
    label->setText(QCoreApplication::translate("capture", "原始尺寸"));
    button->setHitArea(QRectF(QPointF(0, 0), size));
    button->setLook([label, style](Clip::ButtonState state) {
        player::TextField::Style look = style;
        look.color = state == Clip::ButtonState::Up ? QColor(Qt::white) : QColor(0xff, 0xff, 0x00);
        label->setStyle(look);
    });
    Clip* self = button;
    button->onRelease([self] {
        if (Clip* photo =
                moviecommon::findClip(*self,
                                      moviecommon::paths::captureView +
                                          QStringLiteral("/cam_pic_mc/FromPhoto_mc/photo_mc"),
                                      QStringLiteral("Reset_size_button")))
            photo->call(moviecommon::calls::SetScale2, {100, 100});
    });
}

void buildPanel(Clip& panel) {
    panel.attachMovie(kPhotoSlotSymbol, QStringLiteral("photo_1"), 1)->setPos(9.35, 26.35);
    panel.attachMovie(kPhotoSlotSymbol, QStringLiteral("photo_2"), 2)->setPos(108, 26.35);
    addHint(panel);
    addResetButton(panel);
    panel.setVar(moviecommon::vars::ScaleRating, QStringLiteral("(100％)"));
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = Qt::white;
    addText(panel, moviecommon::clips::ScaleRating_field, 5, {250.05, 221.75}, {60, 18}, style)
        ->bind(&panel, moviecommon::vars::ScaleRating);
}

} // namespace

void definePhotoPreviews(player::Stage& stage) {
    definePhotoSlot(stage);
    stage.library().define(moviecommon::symbols::local_photo_previews, buildPanel);
}

} // namespace capture
