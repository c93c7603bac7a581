#pragma once

class QWidget;

namespace host {

// Moves a top-level window so that its frame is centred on another window's frame.
void centreOn(QWidget& window, const QWidget& over);

} // namespace host
