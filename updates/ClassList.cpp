#include "updates/ClassList.h"

#include "updates/BorderFolder.h"
#include "updates/RebuildClassList.h"

#include <QFileInfo>

namespace updates {

Result<ClassList> ClassList::load(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return ClassList(CatalogueDocument::withRoot(kDefaultRootName));
    Result<CatalogueDocument> document = CatalogueDocument::load(path);
    if (!document)
        return Error{document.error()};
    return ClassList(std::move(document).value());
}

void ClassList::clear() {
    root().remove_children();
}

Status ClassList::save(const QString& path) const {
    return document_.save(path, CatalogueDocument::Layout::ClassList);
}

QByteArray ClassList::toBytes() const {
    return document_.toBytes(CatalogueDocument::Layout::ClassList);
}

Status rebuildClassListFile(const QString& borderFolder) {
    const BorderFolder folder(borderFolder);
    Result<ClassList> list = ClassList::load(folder.classListPath());
    if (!list)
        return Error{list.error()};
    list.value().clear();
    RebuildClassList(folder.path(), list.value().root());
    return list.value().save(folder.classListPath());
}

} // namespace updates
