#pragma once

#include "updates/CatalogueDocument.h"
#include "updates/Result.h"

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
    [[nodiscard]] static Result<ClassList> load(const QString& path);

    [[nodiscard]] pugi::xml_node root() const { return document_.root(); }
    // Removes every child of the root, keeping the root and its attributes.
    void clear();
    // Written atomically in the one layout the movie reads (CatalogueDocument::Layout).
    [[nodiscard]] Status save(const QString& path) const;
    [[nodiscard]] QByteArray toBytes() const;

private:
    explicit ClassList(CatalogueDocument document) : document_(std::move(document)) {}
    CatalogueDocument document_;
};

// Loads the class list of `borderFolder`, replaces its classes by what RebuildClassList()
// finds there, and saves it. Nothing is written when the existing list cannot be parsed.
[[nodiscard]] Status rebuildClassListFile(const QString& borderFolder);

} // namespace updates
