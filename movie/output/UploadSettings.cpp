#include "movie/output/UploadSettings.h"

#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <limits>
#include <memory>

namespace output {

using player::Clip;

namespace {

constexpr QPointF kBoxPos(272, 195);
constexpr QSizeF kBoxSize(276, 165);
constexpr QSizeF kTitleBarSize(275, 22);
constexpr QSizeF kFieldSize(155, 18);
constexpr QSizeF kButtonSize(72, 24);
constexpr qreal kFieldX = 84;
constexpr qreal kTitleFieldY = 48;
constexpr qreal kFieldSpacing = 30;
constexpr qreal kButtonsY = 122;

const QString kOnEnter = QStringLiteral("OnEnter");
const QString kEnterTimer = QStringLiteral("EnterTimer");

void paintBox(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(QPointF(0, 0), kBoxSize);
    for (int i = 4; i >= 1; --i) {
        QPainterPath shadow;
        shadow.addRoundedRect(box.translated(3, 3).adjusted(-i, -i, i, i), 3 + i, 3 + i);
        p.fillPath(shadow, QColor(0, 0, 0, 22));
    }
    p.setPen(QPen(QColor(0x5b, 0x86, 0xb8), 1));
    p.setBrush(QColor(0xf4, 0xf8, 0xfc));
    p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    QLinearGradient bar(0, 0, 0, kTitleBarSize.height());
    bar.setColorAt(0, QColor(0x5f, 0xa2, 0xe8));
    bar.setColorAt(1, QColor(0x2f, 0x6f, 0xbf));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(QPointF(0.5, 0.5), kTitleBarSize), bar);
}

player::TextField* addText(Clip& parent, const QString& name, int depth, QPointF pos, QSizeF size,
                           const QString& text, player::TextField::Style style) {
    auto* field = parent.adopt(new player::TextField(name, size, style), depth);
    field->setPos(pos);
    field->setText(text);
    return field;
}

template <typename W> W* widgetIn(const Clip* holder) {
    if (!holder)
        return nullptr;
    for (QGraphicsItem* item : holder->childItems()) {
        if (auto* proxy = dynamic_cast<QGraphicsProxyWidget*>(item))
            if (auto* widget = qobject_cast<W*>(proxy->widget()))
                return widget;
    }
    return nullptr;
}

// A Qt widget on the stage, inside a clip of its own so it has an instance name.
template <typename W>
W* placeWidget(Clip& parent, const QString& name, int depth, QPointF pos, QSizeF size, W* widget) {
    Clip* holder = parent.createEmptyMovieClip(name, depth);
    holder->setPos(pos);
    widget->setObjectName(name);
    widget->setFixedSize(size.toSize());
    auto* proxy = new QGraphicsProxyWidget(holder);
    proxy->setWidget(widget);
    return widget;
}

QLineEdit* addField(Clip& parent, const QString& name, int depth, QPointF pos) {
    auto* edit = new QLineEdit;
    edit->setFont(player::movieFont(14));
    edit->setFrame(false);
    // Bordered, single line, the movie's dark blue; no length limit.
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid #000000; background: #ffffff; color: #2D4E6D;"
                       " padding: 0px 2px; selection-background-color: #9cc3ee; }"));
    edit->setMaxLength(std::numeric_limits<int>::max());
    return placeWidget(parent, name, depth, pos, kFieldSize, edit);
}

QPushButton* addButton(Clip& parent, const QString& name, int depth, QPointF pos,
                       const QString& label) {
    auto* button = new QPushButton(label);
    button->setFont(player::movieFont(12));
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { border: 1px solid #7da2d6; border-radius: 5px; color: #1f4e8c;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde9f7); }"
        "QPushButton:hover { border-color: #ff8a3d;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff4e8, stop:1 #ffd9b3); }"
        "QPushButton:pressed { padding-top: 2px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dde9f7, stop:1 #ffffff); }"));
    return placeWidget(parent, name, depth, pos, kButtonSize, button);
}

void enter(Clip& panel) {
    panel.hide();
    player::Stage* stage = panel.stage();
    if (!stage || uploadSettingsEntering(panel))
        return;
    QPointer<Clip> self(&panel);
    auto handle = std::make_shared<int>(0);
    *handle = stage->intervals().setInterval(
        [self, handle, stage] {
            stage->intervals().clearInterval(*handle);
            if (!self)
                return;
            self->setVar(kEnterTimer, 0);
            self->call(kOnEnter);
        },
        kEnterDelayMs);
    panel.setVar(kEnterTimer, *handle);
}

void cancel(Clip& panel) {
    panel.hide();
    panel.setVar(moviecommon::vars::SaveBmp, QVariant());
}

} // namespace

void buildUploadSettings(Clip& panel) {
    if (panel.child(QStringLiteral("box_mc")))
        return;
    Clip* veil = panel.createEmptyMovieClip(QStringLiteral("Rect_Hint_mc"), 1);
    veil->setRect(QRectF(0, 0, 800, 600), Qt::white);
    veil->setAlpha(30);
    // Its release does nothing; having one makes it catch every click beneath the panel.
    veil->onRelease([] {});
    veil->setUseHandCursor(false);

    Clip* box = panel.createEmptyMovieClip(QStringLiteral("box_mc"), 2);
    box->setPos(kBoxPos);
    box->setContent(QRectF(-2, -2, kBoxSize.width() + 10, kBoxSize.height() + 10), paintBox);

    player::TextField::Style title;
    title.pixelSize = 12;
    title.bold = true;
    title.color = Qt::white;
    addText(*box, QStringLiteral("title_txt"), 1, QPointF(8, 3), QSizeF(200, 17),
            QCoreApplication::translate("output", "图片保存设置"), title);

    player::TextField::Style label;
    label.pixelSize = 13;
    label.color = QColor(0x2d, 0x4e, 0x6d);
    addText(*box, QStringLiteral("title_label"), 2, QPointF(34, kTitleFieldY), QSizeF(48, 18),
            QCoreApplication::translate("output", "主题："), label);
    addText(*box, QStringLiteral("author_label"), 3, QPointF(34, kTitleFieldY + kFieldSpacing),
            QSizeF(48, 18), QCoreApplication::translate("output", "作者："), label);
    addField(*box, kTitleField, 4, QPointF(kFieldX, kTitleFieldY));
    addField(*box, kAuthorField, 5, QPointF(kFieldX, kTitleFieldY + kFieldSpacing));

    QPointer<Clip> self(&panel);
    QPushButton* ok = addButton(*box, kEnterButton, 6, QPointF(52, kButtonsY),
                                QCoreApplication::translate("output", "确  定"));
    QObject::connect(ok, &QPushButton::clicked, &panel, [self] {
        if (self)
            enter(*self);
    });
    QPushButton* no = addButton(*box, kCancelButton, 7, QPointF(152, kButtonsY),
                                QCoreApplication::translate("output", "取  消"));
    QObject::connect(no, &QPushButton::clicked, &panel, [self] {
        if (self)
            cancel(*self);
    });
}

void openUploadSettings(Clip& panel, int photoType, player::BitmapPtr saveBmp,
                        std::function<void()> onEnter) {
    buildUploadSettings(panel);
    panel.show();
    panel.setVar(moviecommon::vars::PhotoType, photoType);
    panel.setVar(moviecommon::vars::SaveBmp, QVariant::fromValue(std::move(saveBmp)));
    panel.define(kOnEnter, [onEnter = std::move(onEnter)](const QVariantList&) {
        if (onEnter)
            onEnter();
        return QVariant();
    });
    if (QLineEdit* title = uploadSettingsField(panel, kTitleField)) {
        if (QGraphicsProxyWidget* proxy = title->graphicsProxyWidget())
            proxy->setFocus(Qt::OtherFocusReason);
        title->setFocus(Qt::OtherFocusReason);
    }
}

bool uploadSettingsEntering(const Clip& panel) {
    const int handle = panel.var(kEnterTimer).toInt();
    player::Stage* stage = panel.stage();
    return handle > 0 && stage && stage->intervals().isActive(handle);
}

QLineEdit* uploadSettingsField(const Clip& panel, const QString& name) {
    const Clip* box = panel.child(QStringLiteral("box_mc"));
    return widgetIn<QLineEdit>(box ? box->child(name) : nullptr);
}

QPushButton* uploadSettingsButton(const Clip& panel, const QString& name) {
    const Clip* box = panel.child(QStringLiteral("box_mc"));
    return widgetIn<QPushButton>(box ? box->child(name) : nullptr);
}

QString uploadSettingsText(const Clip& panel, const QString& name) {
    const QLineEdit* field = uploadSettingsField(panel, name);
    return field ? field->text() : QString();
}

} // namespace output
