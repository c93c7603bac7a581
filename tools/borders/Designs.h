#pragma once

#include <QList>
#include <QPainter>
#include <QString>
#include <functional>

namespace borders {

// One border: its base name in the class folder and how to paint it on a transparent
// 240x180 picture.
struct BorderDesign {
    QString baseName;
    std::function<void(QPainter&)> paint;
};

// One border class: the class folder's name, which is also the name in the class menu.
struct ClassDesign {
    QString name;
    QList<BorderDesign> borders;
};

[[nodiscard]] ClassDesign festiveClass();
[[nodiscard]] ClassDesign cartoonClass();
[[nodiscard]] ClassDesign natureClass();

} // namespace borders
