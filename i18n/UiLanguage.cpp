#include "i18n/UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

namespace i18n {

namespace {

// Qt's catalogue for its file, print and message dialogs, as the system installed it.
void useQtCatalogue(QCoreApplication& app, const QString& name) {
    auto* qt = new QTranslator(&app);
    if (qt->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

} // namespace

UiLanguage chooseLanguage(const QStringList& uiLanguages) {
    for (const QString& tag : uiLanguages) {
        // "zh", "zh-CN", "zh_TW", "zh-Hans-CN": the language is what comes before the first
        // separator.
        const QString language = tag.section(QRegularExpression(QStringLiteral("[-_]")), 0, 0);
        if (language.compare(QLatin1String("zh"), Qt::CaseInsensitive) == 0)
            return UiLanguage::Chinese;
        if (language.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
            return UiLanguage::English;
    }
    return UiLanguage::English;
}

UiLanguage systemLanguage() {
    return chooseLanguage(QLocale::system().uiLanguages());
}

bool useLanguage(QCoreApplication& app, UiLanguage language) {
    if (language == UiLanguage::Chinese) {
        useQtCatalogue(app, QStringLiteral("qtbase_zh_CN"));
        return true;
    }
    useQtCatalogue(app, QStringLiteral("qtbase_en"));
    auto* own = new QTranslator(&app);
    if (!own->load(QStringLiteral(":/i18n/ivemba_en.qm"))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    return true;
}

} // namespace i18n
