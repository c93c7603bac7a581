#pragma once

#include "pixeltext/PixelText.h"

#include <QImage>
#include <QStringView>

namespace host {

// A photo card's picture as the movie sends it (the format of pixeltext/), read under the
// host's lenient rules: see pixeltext::Rules::Lenient.
class PixelText {
public:
    static constexpr int kWidth = pixeltext::kWidth;
    static constexpr int kHeight = pixeltext::kHeight;
    static constexpr int kValues = pixeltext::kValues;

    // With exactly kValues pieces the picture is an RGB888 image; otherwise it is null and
    // `values` says how many pieces there were. A piece that is not a 32-bit decimal
    // integer throws Error("'<piece>' is not a valid integer value"), but only when the
    // count is right, since a wrong count is the first test.
    struct Result {
        QImage picture;
        qsizetype values = 0;
    };
    [[nodiscard]] static Result parse(QStringView text);
};

} // namespace host
