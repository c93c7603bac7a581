#include "movie/capture/ClassMenu.h"

#include "movie/common/HeldObject.h"
#include "movie/common/MovieNames.h"
#include "movie/widgets/Alert.h"
#include "movie/widgets/PopupMenu.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <QCoreApplication>

namespace capture {

using player::Clip;

namespace {

constexpr int kRowHeight = 25;
const QPointF kMenuAt(465, 310);

Clip* classButton(const Clip& page) {
    return page.child(moviecommon::clips::button_clessselect);
}

void initClassMenu(Clip& page) {
    player::Stage* stage = page.stage();
    Clip* root = stage->root();
    const QVariantList classes = root->var(moviecommon::vars::PicClasses).toList();
    // A menu without classes would offer nothing; the button keeps saying so instead.
    if (classes.isEmpty())
        return;

    QList<widgets::PopupMenu::Item> items;
    QVariantList menuItems = root->var(moviecommon::vars::MenuItems).toList();
    for (int i = 0; i < classes.size(); ++i) {
        const QVariantMap record = classes[i].toMap();
        const QString label =
            record.value(QStringLiteral("name")).toString() + QStringLiteral("(") +
            QString::number(record.value(QStringLiteral("pics")).toList().size()) +
            QStringLiteral(")");
        items.append({label, i + 1});
        menuItems.append(
            QVariantMap{{QStringLiteral("label"), label}, {QStringLiteral("ID"), i + 1}});
    }
    root->setVar(moviecommon::vars::MenuItems, menuItems);

    auto* menu = moviecommon::holdInVariable(*root, QStringLiteral("BorderMenu"),
                                             std::make_unique<widgets::PopupMenu>(*stage, items));
    menu->setRowHeight(kRowHeight);

    Clip* self = &page;
    menu->onChange([self, menu](int index) {
        const widgets::PopupMenu::Item& item = menu->items().at(index);
        self->setVar(moviecommon::vars::classname,
                     QStringLiteral("(") + item.label + QStringLiteral(")"));
        if (Clip* browser = self->child(moviecommon::clips::listiview_form_mc))
            browser->call(moviecommon::calls::LoadClass, {item.id});
    });
    page.setVar(moviecommon::vars::classname,
                QStringLiteral("(") +
                    classes.first().toMap().value(QStringLiteral("name")).toString() +
                    QStringLiteral(")"));
    if (Clip* button = classButton(page))
        button->onRelease([menu] { menu->show(kMenuAt); });
}

} // namespace

void attachClassButtonAlert(Clip& page) {
    Clip* self = &page;
    if (Clip* button = classButton(page))
        button->onRelease([self] {
            widgets::alert(*self->stage(), QCoreApplication::translate("capture", "提示"),
                           QCoreApplication::translate("capture", "边框分类信息还未加载！"));
        });
}

void defineClassMenu(Clip& page) {
    Clip* self = &page;
    page.define(moviecommon::calls::InitClassMenu, [self](const QVariantList&) {
        initClassMenu(*self);
        return QVariant();
    });
}

} // namespace capture
