#pragma once

#include <QString>
#include <QStringView>

namespace output {

// How the pixel text of an upload is cut for compression, one piece per frame. The leading
// "-" belongs to no piece; piece k (1-based) starts at index (k − 1)·70000 + 1 and ends
// at k·70000 or at the end of the text; the last piece runs to the end, and is empty when
// the length is a multiple of 70000.
inline constexpr qsizetype kUploadStep = 70000;

// ⌊length / 70000⌋ + 1.
[[nodiscard]] int uploadPieceCount(qsizetype length);
// Piece `index` (1-based) of `text`, which has `count` pieces; empty past the last.
[[nodiscard]] QStringView uploadPiece(const QString& text, int index, int count);
// "处理图像中，请稍候 ... ..." followed by ⌊100·index/count⌋ and " %".
[[nodiscard]] QString uploadProgressText(int index, int count);

// The status text while the compressed picture is sent.
[[nodiscard]] QString uploadSendingText();

} // namespace output
