#include "i18n/UiLanguage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using i18n::UiLanguage;

struct ChoiceCase {
    const char* name;
    QStringList uiLanguages;
    UiLanguage expected;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

class LanguageChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoice, ChineseOnlyWhereTheUserReadsChinese) {
    EXPECT_EQ(i18n::chooseLanguage(GetParam().uiLanguages), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, LanguageChoice,
    ::testing::Values(
        ChoiceCase{"simplified_chinese", {"zh-CN", "zh-Hans-CN", "zh"}, UiLanguage::Chinese},
        ChoiceCase{"underscore_form", {"zh_CN"}, UiLanguage::Chinese},
        ChoiceCase{"traditional_chinese", {"zh-TW", "zh-Hant-TW"}, UiLanguage::Chinese},
        ChoiceCase{"language_alone", {"zh"}, UiLanguage::Chinese},
        ChoiceCase{"american_english", {"en-US", "en"}, UiLanguage::English},
        ChoiceCase{"posix_locale", {"C"}, UiLanguage::English},
        ChoiceCase{"nothing_said", {}, UiLanguage::English},
        ChoiceCase{"german", {"de-DE", "de"}, UiLanguage::English},
        // A language the program lacks gives way to the next the user reads.
        ChoiceCase{"french_then_chinese", {"fr-FR", "fr", "zh-CN"}, UiLanguage::Chinese},
        ChoiceCase{"english_before_chinese", {"en-GB", "zh-CN"}, UiLanguage::English},
        // "zhx" is no Chinese.
        ChoiceCase{"lookalike_code", {"zhx", "en"}, UiLanguage::English}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

struct LanguageCase {
    const char* name;
    UiLanguage language;
    const char* yes;      // the Yes button of Qt's message boxes
    const char* settings; // an entry of the player's own menu
    const char* about;    // the About window's picture, which carries words
    const char* help;     // the help page, in the program folder
};

void PrintTo(const LanguageCase& c, std::ostream* out) {
    *out << c.name;
}

class LanguageInUse : public ::testing::TestWithParam<LanguageCase> {};

// The program's texts and Qt's own dialogs speak the same language.
TEST_P(LanguageInUse, ProgramAndQtDialogsAlike) {
    int argc = 1;
    char name[] = "i18n_catalogue_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    ASSERT_TRUE(i18n::useLanguage(app, GetParam().language));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"),
              QString::fromUtf8(GetParam().yes));
    EXPECT_EQ(QCoreApplication::translate("player::Stage", "设置..."),
              QString::fromUtf8(GetParam().settings));
    EXPECT_EQ(QCoreApplication::translate("host::TForm2", ":/about/about.jpg"),
              QString::fromUtf8(GetParam().about));
    const QString help = QCoreApplication::translate("host::TForm1", "/help/index.htm");
    EXPECT_EQ(help, QString::fromUtf8(GetParam().help));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(IVEMBA_SOURCE_DIR "/resources") + help))
        << help.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Languages, LanguageInUse,
    ::testing::Values(LanguageCase{"chinese", UiLanguage::Chinese, "是(&Y)", "设置...",
                                   ":/about/about.jpg", "/help/index.htm"},
                      LanguageCase{"english", UiLanguage::English, "&Yes", "Settings...",
                                   ":/about/about_en.jpg", "/help/index_en.htm"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
