#include "SiteFeeds.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <pugixml.hpp>

namespace updates::test {

namespace {

QByteArray print(const pugi::xml_document& document) {
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, size_t size) override {
            out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
        }
    } writer;
    document.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    return writer.out;
}

} // namespace

QByteArray historyXml(const QList<Package>& packages) {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("BorderVersions");
    for (const Package& package : packages) {
        pugi::xml_node entry = root.append_child("BorderVersion");
        if (!package.bvNum.isNull())
            entry.append_attribute("BVNum") = package.bvNum.toUtf8().constData();
        entry.append_attribute("URL") = package.url.toUtf8().constData();
        entry.append_attribute("注释") = package.note.toUtf8().constData();
    }
    return print(document);
}

QByteArray descriptionXml(const QList<DescribedClass>& classes) {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("package");
    for (const DescribedClass& described : classes) {
        pugi::xml_node element = root.append_child("class");
        element.append_attribute("name") = described.name.toUtf8().constData();
        for (const QString& url : described.fileUrls)
            element.append_child("file").text() = url.toUtf8().constData();
    }
    return print(document);
}

QByteArray borderFileBytes(const QString& name) {
    QByteArray bytes = "GIF89a:" + name.toUtf8() + ':';
    while (bytes.size() < 3000)
        bytes.append(bytes.left(64));
    return bytes;
}

QMap<QString, QByteArray> snapshotTree(const QString& folder, const QString& skip) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!skip.isEmpty() && (path == skip || path.startsWith(skip + u'/')))
            continue;
        const QFileInfo info(path);
        QByteArray content;
        if (info.isFile() && !info.isSymLink()) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                content = file.readAll();
        }
        tree.insert(path.mid(folder.size()), content);
    }
    return tree;
}

} // namespace updates::test
