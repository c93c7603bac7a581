#pragma once

#include "common/Result.h"
#include "updates/CatalogueDocument.h"

#include <QSet>
#include <QString>
#include <pugixml.hpp>

namespace updates {

// A border history: the published one (BVHistory.xml, from the web site) or the local one
// (BVHistory_local.xml, the packages installed so far). Every child node of the root is one
// package entry, in order; the entry's element name is not examined. `BVNum` is the
// package's identity, compared as exact text.
class BorderHistory {
public:
    [[nodiscard]] static common::Result<BorderHistory> load(const QString& path);
    [[nodiscard]] static common::Result<BorderHistory> fromBytes(const QByteArray& bytes,
                                                                 const QString& origin);

    [[nodiscard]] pugi::xml_node root() const { return m_document.root(); }
    [[nodiscard]] int entryCount() const;
    // Entry `index` (from 0), or an empty node when out of range.
    [[nodiscard]] pugi::xml_node entry(int index) const;
    void removeEntry(int index);

    // A missing attribute reads as a null string.
    [[nodiscard]] static QString bvNum(pugi::xml_node entry);
    [[nodiscard]] static QString url(pugi::xml_node entry);
    // The one-line description shown for the package (attribute "注释").
    [[nodiscard]] static QString annotation(pugi::xml_node entry);

    // The `BVNum` texts of all entries that have one.
    [[nodiscard]] QSet<QString> bvNums() const;

    // Appends a deep copy of `entry` (from any document), with all its attributes and
    // children, as the last entry.
    void appendEntry(pugi::xml_node entry);

    // Written as UTF-8, atomically.
    [[nodiscard]] common::Status<> save(const QString& path) const;

private:
    explicit BorderHistory(CatalogueDocument document) : m_document(std::move(document)) {}
    CatalogueDocument m_document;
};

} // namespace updates
