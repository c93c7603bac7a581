// Takes one photo in a tray that keeps its cards in the folder given, says "taken", and
// waits to be killed.
#include "support/TrayMovie.h"

#include <QApplication>
#include <cstdio>
#include <thread>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    traytest::TrayMovie movie(QString::fromLocal8Bit(argv[1]));
    if (!movie.snap(0xFF13579B))
        return 3;
    std::puts("taken");
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
