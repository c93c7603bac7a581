#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>

namespace player {

// A PNG file of `picture` (RGBA, 8 bits a channel) with its pixels stored, not deflated,
// and no row filters, plus the given keyword/text chunks. Any PNG reader reads it; it
// takes a fraction of the time Qt's writer spends choosing filters for data it then does
// not compress.
[[nodiscard]] QByteArray storedPng(const QImage& picture,
                                   const QList<QPair<QByteArray, QByteArray>>& texts);

} // namespace player
