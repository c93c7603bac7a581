#pragma once

#include <QImage>
#include <QString>

namespace testsupport {

// How far `actual` is from `expected`: the share of pixels (0..1) whose colour differs in
// any channel by more than `channelTolerance`. Pictures of different sizes differ wholly.
[[nodiscard]] double differingShare(const QImage& actual, const QImage& expected,
                                    int channelTolerance);

// Peak signal-to-noise ratio of `actual` against `expected` over the colour channels, in
// dB; infinity for equal pictures, 0 for pictures of different sizes.
[[nodiscard]] double psnr(const QImage& actual, const QImage& expected);

// Compares `actual` with the golden picture `golden`, a file name in tests/golden. When the
// environment variable IVEMBA_UPDATE_GOLDEN is set the golden picture is written instead and
// the compare holds. On a mismatch the test fails, naming the picture made, which is saved
// in the temporary folder as "<name>.actual.png".
[[nodiscard]] bool matchesGolden(const QImage& actual, const QString& golden,
                                 int channelTolerance = 8, double allowedShare = 0.002);

} // namespace testsupport
