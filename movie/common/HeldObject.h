#pragma once

#include "player/Clip.h"

#include <QObject>
#include <QVariant>
#include <memory>

namespace moviecommon {

// Gives `object` to `owner` and names it in the owner's variable `name`, as the movie's
// scripts keep their menus and loaders. The owner holds it as a Qt child; the object the
// variable named before goes with the replacement when the owner held it, and is left
// alone when something else did.
template <class T>
T* holdInVariable(player::Clip& owner, const QString& name, std::unique_ptr<T> object) {
    QObject* held = owner.var(name).template value<QObject*>();
    std::unique_ptr<QObject> previous(held && held->parent() == &owner ? held : nullptr);
    T* kept = object.release();
    kept->setParent(&owner);
    owner.setVar(name, QVariant::fromValue<QObject*>(kept));
    return kept;
}

} // namespace moviecommon
