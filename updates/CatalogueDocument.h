#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <pugixml.hpp>

namespace updates {

// One XML file of the border catalogue held in memory: the class list, a border history or
// a package description. Loading keeps the order of every node, drops white-space-only text
// (it carries no meaning in these files), keeps comments and processing instructions, and
// never expands entities a DOCTYPE declares. Saving always writes UTF-8 and goes through
// common::writeWholeFile(), so a failed save leaves the previous file as it was.
class CatalogueDocument {
public:
    // How the saved text is laid out.
    enum class Layout {
        // Declaration, then the nodes indented with tabs: readable histories.
        Indented,
        // Declaration, one line break, the root element with no white space anywhere
        // between elements, and nothing else. The movie's reader keeps white-space text as
        // nodes and takes the second top-level node as the root, and counts every child
        // position of a class, so this is the only layout the class list may have.
        ClassList,
    };

    // Catalogue files are small; anything bigger than this is refused rather than parsed.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    // A document holding only an empty root element named `rootName`.
    [[nodiscard]] static CatalogueDocument withRoot(const char* rootName);
    [[nodiscard]] static common::Result<CatalogueDocument> load(const QString& path);
    // `origin` names the source in error messages.
    [[nodiscard]] static common::Result<CatalogueDocument> fromBytes(const QByteArray& bytes,
                                                                     const QString& origin);

    [[nodiscard]] pugi::xml_node root() const { return m_document->document_element(); }
    [[nodiscard]] pugi::xml_document& document() { return *m_document; }

    [[nodiscard]] QByteArray toBytes(Layout layout) const;
    [[nodiscard]] common::Status<> save(const QString& path, Layout layout) const;

private:
    CatalogueDocument();
    // Held by pointer so node handles stay valid when the document object moves.
    std::unique_ptr<pugi::xml_document> m_document;
};

} // namespace updates
