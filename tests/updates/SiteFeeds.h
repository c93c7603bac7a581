#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace updates::test {

// One package entry of a border history.
struct Package {
    QString bvNum;
    QString url;
    QString note;
};

// A border history listing `packages`, in order.
[[nodiscard]] QByteArray historyXml(const QList<Package>& packages);

// One class element of a package description.
struct DescribedClass {
    QString name;
    QStringList fileUrls;
};
[[nodiscard]] QByteArray descriptionXml(const QList<DescribedClass>& classes);

// The bytes served for a border file: distinct per name, so a file can be checked whole.
[[nodiscard]] QByteArray borderFileBytes(const QString& name);

// Every file below `folder`, as relative path → content, symlinks and folders included
// (their content is empty); for comparing a tree before and after.
[[nodiscard]] QMap<QString, QByteArray> snapshotTree(const QString& folder,
                                                     const QString& skip = {});

} // namespace updates::test
