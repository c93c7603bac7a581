#include "movie/widgets/Button.h"

#include "player/Clip.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QFontMetricsF>
#include <QPainter>

namespace widgets {

using player::Clip;

namespace {

void showState(Clip& face, const QImage& image, qreal dy) {
    face.setImage(image);
    face.setY(dy);
}

} // namespace

Clip* makeImageButton(Clip& parent, const QString& name, int depth, QPointF pos,
                      const ButtonArt& art) {
    Clip* button = parent.createEmptyMovieClip(name, depth);
    button->setPos(pos);
    player::Stage* stage = button->stage();
    const QImage up = stage ? stage->image(art.up) : QImage();
    const QImage over = art.over.isEmpty() || !stage ? up : stage->image(art.over);
    const QImage down = art.down.isEmpty() || !stage ? QImage() : stage->image(art.down);
    Clip* face = button->createEmptyMovieClip(QStringLiteral("face"), 1);
    showState(*face, up, 0);
    button->setLook([face, up, over, down](Clip::ButtonState state) {
        if (state == Clip::ButtonState::Over)
            showState(*face, over, 0);
        else if (state == Clip::ButtonState::Down)
            showState(*face, down.isNull() ? over : down, down.isNull() ? 1 : 0);
        else
            showState(*face, up, 0);
    });
    return button;
}

Clip* makeTextButton(Clip& parent, const QString& name, int depth, QPointF pos,
                     const QString& label, QSizeF size) {
    Clip* button = parent.createEmptyMovieClip(name, depth);
    button->setPos(pos);
    Clip* face = button->createEmptyMovieClip(QStringLiteral("face"), 1);
    auto paintFace = [face, size](QColor top, QColor bottom, QColor edge) {
        face->setContent(QRectF(QPointF(0, 0), size), [size, top, bottom, edge](QPainter& p) {
            QLinearGradient fill(0, 0, 0, size.height());
            fill.setColorAt(0, top);
            fill.setColorAt(1, bottom);
            p.setPen(QPen(edge, 1));
            p.setBrush(fill);
            p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);
        });
    };
    const QColor top(0xff, 0xff, 0xff), bottom(0xdd, 0xe9, 0xf7), edge(0x7d, 0xa2, 0xd6);
    paintFace(top, bottom, edge);
    player::TextField::Style style;
    // The label keeps a little air on both sides; a narrow button gets a smaller type.
    style.pixelSize = 12;
    while (style.pixelSize > 9 &&
           QFontMetricsF(player::movieFont(style.pixelSize)).horizontalAdvance(label) >
               size.width() - 8)
        --style.pixelSize;
    style.color = QColor(0x1f, 0x4e, 0x8c);
    style.align = Qt::AlignCenter;
    auto* text = button->adopt(new player::TextField(QStringLiteral("label"), size, style), 2);
    text->setText(label);
    button->setLook([paintFace, text, top, bottom, edge](Clip::ButtonState state) {
        if (state == Clip::ButtonState::Over)
            paintFace(QColor(0xff, 0xf4, 0xe8), QColor(0xff, 0xd9, 0xb3), QColor(0xff, 0x8a, 0x3d));
        else if (state == Clip::ButtonState::Down)
            paintFace(bottom, top, edge);
        else
            paintFace(top, bottom, edge);
        text->setY(state == Clip::ButtonState::Down ? 1 : 0);
    });
    return button;
}

} // namespace widgets
