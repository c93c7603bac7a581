// The movie bundle on any bytes: a movie file is read from the program directory, where
// anyone may have put an override, so a damaged one must be refused, not mounted.
#include "player/MovieBundle.h"

#include <QFile>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto opened = player::MovieBundle::open(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!opened) {
        if (opened.error().isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    const auto& bundle = opened.value();
    if (bundle->program().isEmpty() || bundle->stageSize().isEmpty() || bundle->frameRate() <= 0)
        std::abort();
    // What the player reads next: the artwork and sounds under the bundle's root.
    QFile manifest(bundle->root() + QStringLiteral("manifest.json"));
    if (manifest.open(QIODevice::ReadOnly))
        (void)manifest.readAll();
    return 0;
}
