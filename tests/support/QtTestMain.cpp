// GoogleTest main for tests that need a Qt application (widgets, event loop).
#include "i18n/UiLanguage.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The tests check the program's own, Chinese, texts, whatever the machine's language.
    i18n::useLanguage(app, i18n::UiLanguage::Chinese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
