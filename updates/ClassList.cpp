#include "updates/ClassList.h"

#include "updates/BorderFolder.h"
#include "updates/RebuildClassList.h"

#include <QFileInfo>

namespace updates {

common::Result<ClassList> ClassList::load(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return ClassList(CatalogueDocument::withRoot(kDefaultRootName));
    common::Result<CatalogueDocument> document = CatalogueDocument::load(path);
    if (!document)
        return common::Failure{document.error()};
    return ClassList(std::move(document).value());
}

void ClassList::clear() {
    root().remove_children();
}

common::Status<> ClassList::save(const QString& path) const {
    return m_document.save(path, CatalogueDocument::Layout::ClassList);
}

QByteArray ClassList::toBytes() const {
    return m_document.toBytes(CatalogueDocument::Layout::ClassList);
}

common::Status<> rebuildClassListFile(const QString& borderFolder) {
    const BorderFolder folder(borderFolder);
    common::Result<ClassList> list = ClassList::load(folder.classListPath());
    if (!list)
        return common::Failure{list.error()};
    list.value().clear();
    RebuildClassList(folder.path(), list.value().root());
    return list.value().save(folder.classListPath());
}

} // namespace updates
