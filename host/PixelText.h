#pragma once

#include <QImage>
#include <QStringView>

namespace host {

// A photo card's picture as the movie sends it: 240×180 values, each "-" followed by the
// decimal colour 0xRRGGBB, column by column (value k is the pixel x = k / 180, y = k % 180).
class PixelText {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 180;
    static constexpr int kValues = kWidth * kHeight;

    // Splits and reads `text` in one pass. Pieces end at "-", CR, LF or the end of the text
    // (a NUL ends the text, as it always has); spaces at the start of a piece are skipped; a
    // quote opens a stretch in which only the matching quote or the end stops the piece;
    // empty pieces do not count. With exactly kValues pieces the picture is an RGB888
    // image; otherwise it is null and `values` says how many pieces there were. A piece
    // that is not a 32-bit decimal integer throws Error("'<piece>' is not a valid integer
    // value"), but only when the count is right, since a wrong count is the first test.
    struct Result {
        QImage picture;
        qsizetype values = 0;
    };
    [[nodiscard]] static Result parse(QStringView text);
};

} // namespace host
