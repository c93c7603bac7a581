#include "host/Centring.h"

#include <QWidget>

namespace host {

void centreOn(QWidget& window, const QWidget& over) {
    // pos() is the frame's corner; the frame may be larger than the client area.
    const QPoint frameCentreOffset = window.frameGeometry().center() - window.pos();
    window.move(over.frameGeometry().center() - frameCentreOffset);
}

} // namespace host
