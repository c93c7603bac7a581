#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace updates::test {

// Creates the parent folders and writes `bytes`; fails the test on error.
void writeFile(const QString& path, const QByteArray& bytes = {});
[[nodiscard]] QByteArray readFile(const QString& path);
// Names in `folder`, dot files included, sorted.
[[nodiscard]] QStringList entriesOf(const QString& folder);
// `utf8` converted to `encoding` with iconv.
[[nodiscard]] QByteArray encodeAs(const char* encoding, const QByteArray& utf8);

// A class as the movie's border browser reads it: the root is the second top-level node of
// the text parsed with white-space text kept, and a class shows the elements among its
// first 21 child positions.
struct BrowserClass {
    QString name;
    QString path;
    QStringList pics;
};
[[nodiscard]] QList<BrowserClass> readAsBrowser(const QByteArray& classList);

} // namespace updates::test
