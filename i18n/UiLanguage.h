#pragma once

#include <QStringList>

class QCoreApplication;

namespace i18n {

// The program's texts are written in Chinese; English is the one translation it carries.
enum class UiLanguage { Chinese, English };

// The first of the user's languages that the program carries wins (any Chinese counts as
// Chinese); when none of them is Chinese or English, English.
[[nodiscard]] UiLanguage chooseLanguage(const QStringList& uiLanguages);

// The language of this desktop session, from QLocale::system().uiLanguages().
[[nodiscard]] UiLanguage systemLanguage();

// Puts the program's own catalogue (English only: Chinese is the source) and Qt's catalogue
// for its own dialogs on `app`; the translators belong to `app`. Returns false when the
// program's catalogue could not be loaded, in which case the texts stay Chinese.
bool useLanguage(QCoreApplication& app, UiLanguage language);

} // namespace i18n
