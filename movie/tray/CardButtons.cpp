#include "movie/tray/CardButtons.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QPainter>

namespace tray {

using player::Clip;
using player::TextField;

namespace {

constexpr qreal kIconSize = 50;
constexpr QSizeF kLabelSize(76, 22);
// Centred above the icon, with a small gap.
constexpr QPointF kLabelPos((kIconSize - 76) / 2, -24);

TextField::Style labelStyle(QColor color) {
    TextField::Style style;
    style.pixelSize = 14;
    style.bold = true;
    style.color = color;
    style.align = Qt::AlignCenter;
    return style;
}

// Delete and print: white text on a rounded blue tab, readable over any photo.
Clip* makeFixedLabel(Clip& button, const QString& text) {
    Clip* label = button.createEmptyMovieClip(QStringLiteral("label"), 10);
    label->setPos(kLabelPos);
    label->setContent(QRectF(QPointF(0, 0), kLabelSize), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x74, 0xc8, 230));
        p.drawRoundedRect(QRectF(QPointF(0, 0), kLabelSize), 4, 4);
    });
    auto* field =
        label->adopt(new TextField(QStringLiteral("text"), kLabelSize, labelStyle(Qt::white)), 1);
    field->setText(text);
    return label;
}

// Save: a yellow box with a black edge whose text is the label's own variable.
Clip* makeHintLabel(Clip& button, const QString& variable) {
    Clip* label = button.createEmptyMovieClip(QStringLiteral("label"), 10);
    label->setPos(kLabelPos);
    label->setRect(QRectF(QPointF(0, 0), kLabelSize), QColor(0xff, 0xff, 0xaa), Qt::black);
    auto* field =
        label->adopt(new TextField(QStringLiteral("text"), kLabelSize, labelStyle(Qt::black)), 1);
    field->bind(label, variable);
    return label;
}

// The label's first frame: it runs every time the label is shown, so the text follows
// the edition at that moment.
void refreshHint(Clip& label, const QString& variable) {
    player::Stage* stage = label.stage();
    if (!stage)
        return;
    label.setVar(variable, stage->root()->call(moviecommon::calls::GetButtonHint, {variable}));
}

} // namespace

Clip* makeCardButton(Clip& card, const QString& name, int depth, QPointF pos, const QString& art,
                     const HoverLabel& hover) {
    Clip* button = card.createEmptyMovieClip(name, depth);
    button->setPos(pos);
    button->setAlpha(kCardButtonAlpha);
    Clip* icon = button->createEmptyMovieClip(QStringLiteral("icon"), 1);
    if (player::Stage* stage = button->stage())
        icon->setImage(stage->image(art));
    // Only the icon catches the pointer; the hover label above it does not.
    button->setHitArea(QRectF(0, 0, 50, 50));
    Clip* label = hover.hintVariable.isEmpty() ? makeFixedLabel(*button, hover.text)
                                               : makeHintLabel(*button, hover.hintVariable);
    label->hide();
    const QString variable = hover.hintVariable;
    button->setLook([icon, label, variable](Clip::ButtonState state) {
        icon->setY(state == Clip::ButtonState::Down ? 1 : 0);
        const bool over = state == Clip::ButtonState::Over;
        if (over && !variable.isEmpty())
            refreshHint(*label, variable);
        label->setVisible(over);
    });
    button->onRollOver([button] {
        if (player::Stage* stage = button->stage())
            stage->playSound(QStringLiteral("sounds/rollover.wav"));
    });
    return button;
}

} // namespace tray
