#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

namespace player {

// A photo card as it is kept on disc: the card's own picture, what kind of photo it is and
// when it was taken.
struct KeptPhoto {
    QString fileName; // inside the photo folder
    QImage picture;   // 240×180 with alpha, exactly as the card showed it
    int photoType = 1;
    QDateTime taken; // UTC
};

} // namespace player
