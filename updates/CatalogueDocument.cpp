#include "updates/CatalogueDocument.h"

#include "updates/AtomicFile.h"
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
    explicit ByteWriter(QByteArray& out) : out_(out) {}
    void write(const void* data, size_t size) override {
        out_.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }

private:
    QByteArray& out_;
};

} // namespace

CatalogueDocument::CatalogueDocument() : document_(std::make_unique<pugi::xml_document>()) {}

CatalogueDocument CatalogueDocument::withRoot(const char* rootName) {
    CatalogueDocument result;
    result.document_->append_child(rootName);
    return result;
}

Result<CatalogueDocument> CatalogueDocument::load(const QString& path) {
    Result<QByteArray> bytes = readWholeFile(path, kMaxFileBytes);
    if (!bytes)
        return Error{bytes.error()};
    return fromBytes(bytes.value(), path);
}

Result<CatalogueDocument> CatalogueDocument::fromBytes(const QByteArray& bytes,
                                                       const QString& origin) {
    Result<QByteArray> prepared = prepareXmlBytes(bytes);
    if (!prepared)
        return Error{QStringLiteral("%1: %2").arg(origin, prepared.error())};

    CatalogueDocument result;
    const QByteArray& text = prepared.value();
    const pugi::xml_parse_result parsed = result.document_->load_buffer(
        text.constData(), static_cast<size_t>(text.size()), kParseOptions, pugi::encoding_auto);
    if (!parsed) {
        return Error{QStringLiteral("%1: malformed XML (%2 at offset %3)")
                         .arg(origin, QString::fromUtf8(parsed.description()))
                         .arg(parsed.offset)};
    }
    if (!result.root())
        return Error{QStringLiteral("%1: no root element").arg(origin)};
    // The parser accepts several top-level elements; a well-formed document has one.
    for (pugi::xml_node node = result.root().next_sibling(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element)
            return Error{QStringLiteral("%1: more than one root element").arg(origin)};
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
    for (const pugi::xml_node node : document_->children()) {
        if (node.type() != pugi::node_declaration && node.type() != pugi::node_doctype)
            node.print(writer, "\t", pugi::format_indent, pugi::encoding_utf8);
    }
    return out;
}

Status CatalogueDocument::save(const QString& path, Layout layout) const {
    return writeFileAtomically(path, toBytes(layout));
}

} // namespace updates
