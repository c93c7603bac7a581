#pragma once

#include <QImage>

// The border browser: the area the thumbnails sit on and the frame around each one.
namespace artwork::list {

// The frame is 112x85; the picture is larger by the shadow to its right and below.
constexpr int kFrameWidth = 112;
constexpr int kFrameHeight = 85;

[[nodiscard]] QImage area(); // 750x213
[[nodiscard]] QImage item(); // 114x88

} // namespace artwork::list
