#pragma once

#include "common/Result.h"
#include "updates/CatalogueDocument.h"

#include <QString>
#include <pugixml.hpp>

namespace updates {

// The class list borders.xml: the border classes the movie's border browser offers. Its
// root element's name is kept as found; a new list gets the root `borders`.
class ClassList {
public:
    static constexpr char kDefaultRootName[] = "borders";

    // Loads the list at `path`; a missing file gives an empty list with the default root.
    // A file that exists but cannot be read or parsed is an error.
    [[nodiscard]] static common::Result<ClassList> load(const QString& path);

    [[nodiscard]] pugi::xml_node root() const { return m_document.root(); }
    // Removes every child of the root, keeping the root and its attributes.
    void clear();
    // Written atomically in the one layout the movie reads (CatalogueDocument::Layout).
    [[nodiscard]] common::Status<> save(const QString& path) const;
    [[nodiscard]] QByteArray toBytes() const;

private:
    explicit ClassList(CatalogueDocument document) : m_document(std::move(document)) {}
    CatalogueDocument m_document;
};

// Loads the class list of `borderFolder`, replaces its classes by what RebuildClassList()
// finds there, and saves it. Nothing is written when the existing list cannot be parsed.
[[nodiscard]] common::Status<> rebuildClassListFile(const QString& borderFolder);

} // namespace updates
