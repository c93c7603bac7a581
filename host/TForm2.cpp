#include "host/TForm2.h"

#include "host/Centring.h"
#include "host/Dialogs.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QUrl>

namespace host {

namespace {
// The sky blue of the window behind the artwork.
constexpr QColor kSkyBlue{166, 202, 240};
} // namespace

TForm2::TForm2(Dialogs& dialogs, QWidget* mainWindow, QString homePage)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Image1(new QLabel(this)), Label1(new QLabel(this)), m_dialogs(dialogs),
      m_homePage(std::move(homePage)) {
    setWindowTitle(tr("关于我们"));
    setFixedSize(kClientSize);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kSkyBlue);
    setPalette(pal);
    setAutoFillBackground(true);

    Image1->setGeometry(QRect(QPoint(0, 0), kClientSize));
    Image1->setScaledContents(true);

    // Shows nothing: the address it sits on is part of the picture.
    Label1->setGeometry(kHotSpot);
    Label1->setText(QString(31, u' '));
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
}

void TForm2::Label1Click() {
    m_dialogs.openUrl(QUrl(m_homePage));
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        Label1->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Label1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::showEvent(QShowEvent* event) {
    // Decoded when first shown rather than on the way to the main window's first frame.
    // The picture carries words, so each language has its own: the catalogue names it.
    if (Image1->pixmap().isNull())
        Image1->setPixmap(QPixmap(tr(":/about/about.jpg")));
    if (const QWidget* main = parentWidget())
        centreOn(*this, *main);
    QDialog::showEvent(event);
}

} // namespace host
