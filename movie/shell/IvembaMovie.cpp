#include "movie/shell/IvembaMovie.h"

#include "player/Clip.h"
#include "player/MovieProgram.h"
#include "player/Stage.h"

namespace shell {

namespace {
// Placeholder until the movie's start-up is written: an empty two-frame movie.
class IvembaMovie : public player::MovieProgram {
public:
    void start(player::Stage& stage) override {
        player::Clip* root = stage.root();
        root->timeline().setScript(1, [&stage] { stage.fsCommand("iVembaInited", ""); });
        root->timeline().setScript(2, [root] { root->stop(); });
    }
};
} // namespace

void registerMovie(player::MovieRegistry& registry) {
    registry.add(QStringLiteral("ivemba"), [] { return std::make_unique<IvembaMovie>(); });
}

} // namespace shell
