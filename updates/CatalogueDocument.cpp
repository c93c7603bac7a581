#include "updates/CatalogueDocument.h"

#include "common/TransferPolicy.h"
#include "common/WholeFileWriter.h"
#include "updates/XmlEncoding.h"

namespace updates {

namespace {

constexpr char kDeclaration[] = R"(<?xml version="1.0" encoding="utf-8"?>)";

// Entities of a DOCTYPE are never expanded: the DOCTYPE is skipped, and the parser knows
// only the five predefined entities and character references.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi;

class ByteWriter final : public pugi::xml_writer {
public:
    explicit ByteWriter(QByteArray& out) : m_out(out) {}
    void write(const void* data, size_t size) override {
        m_out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }

private:
    QByteArray& m_out;
};

} // namespace

CatalogueDocument::CatalogueDocument() : m_document(std::make_unique<pugi::xml_document>()) {}

CatalogueDocument CatalogueDocument::withRoot(const char* rootName) {
    CatalogueDocument result;
    result.m_document->append_child(rootName);
    return result;
}

common::Result<CatalogueDocument> CatalogueDocument::load(const QString& path) {
    common::Result<QByteArray> bytes = common::readCappedFile(path, kMaxFileBytes);
    if (!bytes)
        return common::Failure{bytes.error()};
    return fromBytes(bytes.value(), path);
}

common::Result<CatalogueDocument> CatalogueDocument::fromBytes(const QByteArray& bytes,
                                                               const QString& origin) {
    common::Result<QByteArray> prepared = prepareXmlBytes(bytes);
    if (!prepared)
        return common::Failure{QStringLiteral("%1: %2").arg(origin, prepared.error())};

    CatalogueDocument result;
    const QByteArray& text = prepared.value();
    const pugi::xml_parse_result parsed = result.m_document->load_buffer(
        text.constData(), static_cast<size_t>(text.size()), kParseOptions, pugi::encoding_auto);
    if (!parsed) {
        return common::Failure{QStringLiteral("%1: malformed XML (%2 at offset %3)")
                                   .arg(origin, QString::fromUtf8(parsed.description()))
                                   .arg(parsed.offset)};
    }
    if (!result.root())
        return common::Failure{QStringLiteral("%1: no root element").arg(origin)};
    // The parser accepts several top-level elements; a well-formed document has one.
    for (pugi::xml_node node = result.root().next_sibling(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element)
            return common::Failure{QStringLiteral("%1: more than one root element").arg(origin)};
    }
    return result;
}

QByteArray CatalogueDocument::toBytes(Layout layout) const {
    QByteArray out(kDeclaration);
    out.append('\n');
    ByteWriter writer(out);
    if (layout == Layout::ClassList) {
        root().print(writer, "", pugi::format_raw, pugi::encoding_utf8);
        return out;
    }
    // Our own declaration replaces the loaded one: the text is UTF-8 whatever it was before.
    for (const pugi::xml_node node : m_document->children()) {
        if (node.type() != pugi::node_declaration && node.type() != pugi::node_doctype)
            node.print(writer, "\t", pugi::format_indent, pugi::encoding_utf8);
    }
    return out;
}

common::Status<> CatalogueDocument::save(const QString& path, Layout layout) const {
    if (const common::Status<> written = common::writeWholeFile(path, toBytes(layout)); !written)
        return common::Failure{QStringLiteral("cannot write %1: %2").arg(path, written.error())};
    return {};
}

} // namespace updates
