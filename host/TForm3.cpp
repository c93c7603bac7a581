#include "host/TForm3.h"

#include "host/Centring.h"

namespace host {

TForm3::TForm3(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                              Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("边框更新"));
    setFixedSize(kClientSize);
}

void TForm3::showEvent(QShowEvent* event) {
    if (const QWidget* main = parentWidget())
        centreOn(*this, *main);
    QDialog::showEvent(event);
}

} // namespace host
