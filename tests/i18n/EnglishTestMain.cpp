// GoogleTest main for the tests of the English program: the language a desktop other than a
// Chinese one gets.
#include "i18n/UiLanguage.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (!i18n::useLanguage(app, i18n::UiLanguage::English)) {
        std::fputs("the English catalogue is missing from the program\n", stderr);
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
