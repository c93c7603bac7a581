#pragma once

#include <QByteArray>
#include <QImage>

namespace host {

// Encodes a picture as a baseline JFIF JPEG with three colour components at the given
// quality (libjpeg's 0–100 scale), every other setting as libjpeg chooses by default: the
// shared encoder, with its failure as the host's Error (libjpeg's words).
[[nodiscard]] QByteArray encodeJpeg(const QImage& picture, int quality);

} // namespace host
