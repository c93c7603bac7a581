#include "movie/capture/BorderLoader.h"

#include "movie/capture/CaptureParts.h"
#include "movie/common/HeldObject.h"
#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"
#include "player/loaders/ClipLoader.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

namespace capture {

using player::Clip;

namespace {

Clip* borderHolder(const Clip& view) {
    return view.resolve(QStringLiteral("cam_pic_mc/border_mc"));
}

Clip* borderInside(const Clip& view) {
    return view.resolve(QStringLiteral("cam_pic_mc/border_mc/Boder_inside_mc"));
}

void setStrip(Clip& view, double percent) {
    if (Clip* strip = view.child(moviecommon::clips::Load_Prec))
        strip->call(moviecommon::calls::SetValue, {percent});
}

loaders::ClipLoader* currentLoader(const Clip& view) {
    return qobject_cast<loaders::ClipLoader*>(
        view.var(QStringLiteral("mcLoader")).value<QObject*>());
}

} // namespace

void buildLoadingStrip(Clip& view) {
    Clip* strip = view.createEmptyMovieClip(moviecommon::clips::Load_Prec, 23);
    strip->setPos(0.2, 159.2);
    strip->setRect(QRectF(0, 0, 240, 21.4), QColor(255, 255, 255, 179));
    Clip* bar = strip->createEmptyMovieClip(QStringLiteral("Load_head_mc"), 1);
    bar->setPos(1, 0.85);
    bar->setRect(QRectF(0, 0, 240, 19.7), QColor::fromRgb(kLoadBar));
    player::TextField::Style style;
    style.pixelSize = 12;
    style.color = QColor::fromRgb(kBodyBlue);
    addText(*strip, QStringLiteral("TheValue_field"), 2, {1.95, 3.8}, {236, 16}, style)
        ->bind(strip, QStringLiteral("TheValue_text"));
    strip->define(moviecommon::calls::SetValue, [strip, bar](const QVariantList& args) {
        double percent = args.value(0).toDouble();
        if (!std::isfinite(percent))
            percent = 0;
        bar->setScale(percent, 100);
        strip->setVar(QStringLiteral("TheValue_text"),
                      QCoreApplication::translate("capture", "加载边框 ......%1 %")
                          .arg(static_cast<qint64>(std::floor(percent))));
        return QVariant();
    });
}

void resetBorderLoader(Clip& view) {
    auto* loader = moviecommon::holdInVariable(view, QStringLiteral("mcLoader"),
                                               std::make_unique<loaders::ClipLoader>());
    view.setVar(QStringLiteral("_CurrentId"), 0);

    Clip* self = &view;
    QObject::connect(loader, &loaders::ClipLoader::progress, &view,
                     [self](Clip*, qint64 loaded, qint64 total) {
                         // A source that announces no size shows no progress rather than
                         // a division by zero.
                         setStrip(*self, total > 0 ? double(loaded) * 100.0 / double(total) : 0);
                     });
    QObject::connect(loader, &loaders::ClipLoader::ready, &view, [self](Clip*) {
        self->child(moviecommon::clips::Load_Prec)->hide();
        if (Clip* holder = borderHolder(*self))
            holder->show();
    });
    QObject::connect(loader, &loaders::ClipLoader::failed, &view,
                     [self](Clip*, const QString& error) {
                         self->child(moviecommon::clips::Load_Prec)->hide();
                         if (player::Stage* stage = self->stage())
                             stage->trace(QStringLiteral("border load failed: ") + error);
                     });

    view.define(moviecommon::calls::LoadBorder, [self](const QVariantList& args) {
        self->setVar(QStringLiteral("_CurrentId"), args.value(0));
        if (Clip* holder = borderHolder(*self))
            holder->hide();
        self->child(moviecommon::clips::Load_Prec)->show();
        setStrip(*self, 0);
        if (loaders::ClipLoader* current = currentLoader(*self))
            current->loadClip(args.value(1).toString(), borderInside(*self));
        return QVariant();
    });
    view.define(moviecommon::calls::RemoveBorder, [self](const QVariantList&) {
        if (Clip* holder = borderHolder(*self))
            holder->hide();
        return QVariant();
    });
    view.child(moviecommon::clips::Load_Prec)->hide();
}

} // namespace capture
