#pragma once

#include "common/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace updates {

class CatalogueDocument;

// One class element of a package description: the class the files go to, and the text of
// each of its children, one download each (thumbnails and pictures alike), in order.
struct PackageClass {
    QString name; // null when the element has no `name`
    QStringList fileUrls;
};

// A package description (tempxmlN.xml): which files a border package adds to which class.
class PackageDescription {
public:
    [[nodiscard]] static common::Result<PackageDescription> load(const QString& path);
    [[nodiscard]] static common::Result<PackageDescription> fromBytes(const QByteArray& bytes,
                                                                      const QString& origin);

    [[nodiscard]] const QList<PackageClass>& classes() const { return m_classes; }
    // The number of downloads the package causes: the children of all class elements.
    [[nodiscard]] int fileCount() const;

private:
    [[nodiscard]] static PackageDescription fromDocument(const CatalogueDocument& document);
    QList<PackageClass> m_classes;
};

} // namespace updates
