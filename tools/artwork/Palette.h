#pragma once

#include <QColor>

// The house colours, shared by every piece so the window, the buttons and the
// About picture read as one product.
namespace artwork::palette {

inline QColor bandTop() {
    return QColor(0x4f, 0x9b, 0xea);
}
inline QColor bandBottom() {
    return QColor(0x2f, 0x74, 0xc8);
}
inline QColor body() {
    return QColor(0xf2, 0xf7, 0xfd);
}
inline QColor bodyDots() {
    return QColor(0xdf, 0xea, 0xf7);
}
inline QColor accent() {
    return QColor(0xff, 0x8a, 0x3d);
}
inline QColor accentLight() {
    return QColor(0xff, 0xb0, 0x72);
}
inline QColor accentDark() {
    return QColor(0xe8, 0x67, 0x1a);
}
inline QColor panelBorder() {
    return QColor(0xd0, 0xdc, 0xea);
}
inline QColor deckTop() {
    return QColor(0x5a, 0x9e, 0xe9);
}
inline QColor deckBottom() {
    return QColor(0x3b, 0x7d, 0xd0);
}
inline QColor ink() {
    return QColor(0x1f, 0x3b, 0x5e);
}
inline QColor danger() {
    return QColor(0xe5, 0x48, 0x3b);
}
inline QColor safe() {
    return QColor(0x23, 0x9c, 0x55);
}
inline QColor shadow() {
    return QColor(0x12, 0x2c, 0x4d);
}

// Corner radii: small controls, inner areas, cards.
constexpr double kRadiusSmall = 6.0;
constexpr double kRadiusInner = 8.0;
constexpr double kRadiusCard = 12.0;

} // namespace artwork::palette
