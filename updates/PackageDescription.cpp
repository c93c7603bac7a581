#include "updates/PackageDescription.h"

#include "updates/CatalogueDocument.h"

namespace updates {

namespace {

// The text of a file element; a stray text child of the class element is its own text.
QString nodeText(pugi::xml_node node) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return QString::fromUtf8(node.value()).trimmed();
    return QString::fromUtf8(node.text().get()).trimmed();
}

} // namespace

common::Result<PackageDescription> PackageDescription::load(const QString& path) {
    common::Result<CatalogueDocument> document = CatalogueDocument::load(path);
    if (!document)
        return common::Failure{document.error()};
    return fromDocument(document.value());
}

common::Result<PackageDescription> PackageDescription::fromBytes(const QByteArray& bytes,
                                                                 const QString& origin) {
    common::Result<CatalogueDocument> document = CatalogueDocument::fromBytes(bytes, origin);
    if (!document)
        return common::Failure{document.error()};
    return fromDocument(document.value());
}

PackageDescription PackageDescription::fromDocument(const CatalogueDocument& document) {
    PackageDescription description;
    for (const pugi::xml_node element : document.root().children()) {
        PackageClass packageClass;
        if (const pugi::xml_attribute name = element.attribute("name"))
            packageClass.name = QString::fromUtf8(name.value());
        for (const pugi::xml_node file : element.children())
            packageClass.fileUrls.append(nodeText(file));
        description.m_classes.append(std::move(packageClass));
    }
    return description;
}

int PackageDescription::fileCount() const {
    int count = 0;
    for (const PackageClass& packageClass : m_classes)
        count += static_cast<int>(packageClass.fileUrls.size());
    return count;
}

} // namespace updates
