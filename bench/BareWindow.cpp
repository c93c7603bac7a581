// The yardstick for start-up: a plain Qt window of the program's size that says when its
// first frame is painted and quits, as the program does under IVEMBA_QUIT_AFTER_FIRST_FRAME.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        if (m_painted)
            return;
        m_painted = true;
        std::fputs("first frame painted\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, this, &QWidget::close);
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setFixedSize(800, 600);
    window.show();
    return app.exec();
}
