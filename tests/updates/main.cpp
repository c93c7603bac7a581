#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The update window is a real dialog; everything else needs only the core.
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
