#include "host/FileDialog.h"

#include <QFileInfo>

namespace host {

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
                if (!patterns.contains(variant))
                    patterns.append(variant);
            }
        }
        result.append(parts.at(i) + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return result;
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (suffix.isEmpty() || path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + suffix;
}

FileDialog::FileDialog(Mode mode, const QString& filter, int filterIndex, const QString& defaultExt)
    : m_mode(mode) {
    m_request.filters = qtNameFilters(filter);
    m_request.selectedFilter = filterIndex;
    m_request.defaultSuffix = defaultExt;
}

std::optional<QString> FileDialog::execute(Dialogs& dialogs, QWidget* owner) {
    std::optional<QString> chosen = m_mode == Mode::Open ? dialogs.openFile(owner, m_request)
                                                         : dialogs.saveFile(owner, m_request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    *chosen = withDefaultSuffix(*chosen, m_request.defaultSuffix);
    m_request.startPath = *chosen;
    return chosen;
}

} // namespace host
