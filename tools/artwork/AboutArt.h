#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// The About window's picture: product title, version and the site address,
// whose printed text must lie inside the window's invisible click area.
namespace artwork::about {

// The click area of the About window over the printed address.
inline QRect addressHotSpot() {
    return QRect(64, 232, 93, 13);
}

// The words on the picture, in one language.
struct Texts {
    QString name;
    QString subtitle;
    QString version;
    QString line;
    QString address;

    static Texts chinese();
    static Texts english();
};

[[nodiscard]] QImage draw(const Texts& texts); // 490x265, opaque

// Ink bounds of the address as drawn by draw(); checked against the hot spot.
[[nodiscard]] QRect addressInk(const Texts& texts);

} // namespace artwork::about
