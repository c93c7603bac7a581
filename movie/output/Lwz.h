#pragma once

#include "common/Result.h"

#include <QString>
#include <QStringView>

namespace player {
class Clip;
}

namespace output {

// The upload's compressor: LZW with a fresh dictionary per call, one UTF-16 character per
// code (see lzw/Lzw.h). Fails when the text holds a character of 256 or more, or when a
// code would not travel as one character of UTF-8 text (past 0xFFFF or a surrogate).
[[nodiscard]] common::Result<QString> lwzCompress(QStringView text);

// Fills the compressor clip `Lwz`: its option `xmlsafe` (false, never changed) and its
// function `compress` (one text → the compressed text, or nothing on failure).
void defineLwz(player::Clip& lwz);

} // namespace output
