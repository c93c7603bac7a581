#pragma once

#include <QImage>

// The large surfaces of the main window: its background, the capture page's
// panel and the highlight behind the current tab.
namespace artwork::window {

// Title band heights the other pieces line up with.
constexpr int kBandBottom = 35;   // the tabs end here and the highlight joins the ribbon
constexpr int kRibbonBottom = 62; // end of the header (the drag strip is as high)
constexpr int kFooterTop = 566;

[[nodiscard]] QImage background();   // 800x600, opaque
[[nodiscard]] QImage capturePanel(); // 800x439, placed at stage (0,161)
[[nodiscard]] QImage tabHighlight(); // 120x30

} // namespace artwork::window
