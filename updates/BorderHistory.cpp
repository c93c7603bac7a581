#include "updates/BorderHistory.h"

namespace updates {

namespace {

QString attributeText(pugi::xml_node entry, const char* name) {
    const pugi::xml_attribute attribute = entry.attribute(name);
    if (!attribute)
        return {};
    return QString::fromUtf8(attribute.value());
}

} // namespace

common::Result<BorderHistory> BorderHistory::load(const QString& path) {
    common::Result<CatalogueDocument> document = CatalogueDocument::load(path);
    if (!document)
        return common::Failure{document.error()};
    return BorderHistory(std::move(document).value());
}

common::Result<BorderHistory> BorderHistory::fromBytes(const QByteArray& bytes,
                                                       const QString& origin) {
    common::Result<CatalogueDocument> document = CatalogueDocument::fromBytes(bytes, origin);
    if (!document)
        return common::Failure{document.error()};
    return BorderHistory(std::move(document).value());
}

int BorderHistory::entryCount() const {
    int count = 0;
    for (pugi::xml_node node = root().first_child(); node; node = node.next_sibling())
        ++count;
    return count;
}

pugi::xml_node BorderHistory::entry(int index) const {
    if (index < 0)
        return {};
    pugi::xml_node node = root().first_child();
    for (int i = 0; node && i < index; ++i)
        node = node.next_sibling();
    return node;
}

void BorderHistory::removeEntry(int index) {
    if (const pugi::xml_node node = entry(index))
        root().remove_child(node);
}

QString BorderHistory::bvNum(pugi::xml_node entry) {
    return attributeText(entry, "BVNum");
}

QString BorderHistory::url(pugi::xml_node entry) {
    return attributeText(entry, "URL");
}

QString BorderHistory::annotation(pugi::xml_node entry) {
    return attributeText(entry, "注释");
}

QSet<QString> BorderHistory::bvNums() const {
    QSet<QString> result;
    for (pugi::xml_node node = root().first_child(); node; node = node.next_sibling()) {
        const QString number = bvNum(node);
        if (!number.isNull())
            result.insert(number);
    }
    return result;
}

void BorderHistory::appendEntry(pugi::xml_node entry) {
    root().append_copy(entry);
}

common::Status<> BorderHistory::save(const QString& path) const {
    return m_document.save(path, CatalogueDocument::Layout::Indented);
}

} // namespace updates
