#include "movie/output/PrintPhoto.h"

#include "player/Clip.h"
#include "player/Stage.h"
#include "player/print/PrintService.h"

namespace output {

void printPhoto(player::Clip& card) {
    player::Stage* stage = card.stage();
    player::Clip* pic = card.child(QStringLiteral("pic"));
    if (!stage || !pic)
        return;
    // Cancelling the dialog or a failing printer changes nothing in the movie.
    player::PrintService::of(*stage).printAsBitmap(*pic);
}

} // namespace output
