#include "updates/XmlEncoding.h"

#include "updates/IconvConverter.h"

#include <QRegularExpression>
#include <array>

namespace updates {

namespace {

// A declaration longer than this is no declaration worth believing.
constexpr qsizetype kMaxDeclarationLength = 1024;

const QRegularExpression& encodingPattern() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(\sencoding\s*=\s*(["'])([A-Za-z0-9._:\-]*)\1)"));
    return pattern;
}

// The declaration at the very start, as text, or an empty string.
QString declarationOf(const QByteArray& bytes) {
    if (!bytes.startsWith("<?xml"))
        return {};
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0 || end > kMaxDeclarationLength)
        return {};
    return QString::fromLatin1(bytes.left(end + 2));
}

bool readByParser(const QByteArray& encoding) {
    static const std::array<const char*, 13> names = {
        "utf-8",    "utf8",  "utf-16", "utf-16le",   "utf-16be", "utf-32",  "utf-32le",
        "utf-32be", "ucs-2", "ucs-4",  "iso-8859-1", "latin1",   "us-ascii"};
    const QByteArray lower = encoding.toLower();
    for (const char* name : names) {
        if (lower == name)
            return true;
    }
    return false;
}

QByteArray decoderFor(const QByteArray& encoding) {
    const QByteArray upper = encoding.toUpper();
    if (upper == "GB2312" || upper == "GBK" || upper == "GB18030" || upper == "CP936")
        return "GB18030";
    return encoding;
}

} // namespace

QByteArray declaredEncoding(const QByteArray& bytes) {
    const QRegularExpressionMatch match = encodingPattern().match(declarationOf(bytes));
    if (!match.hasMatch())
        return {};
    return match.captured(2).toLatin1();
}

common::Result<QByteArray> prepareXmlBytes(const QByteArray& bytes) {
    const QByteArray encoding = declaredEncoding(bytes);
    if (encoding.isEmpty() || readByParser(encoding))
        return bytes;

    IconvConverter converter("UTF-8", decoderFor(encoding).constData());
    if (!converter.valid())
        return common::Failure{
            QStringLiteral("unsupported encoding \"%1\"").arg(QLatin1String(encoding))};
    common::Result<QByteArray> converted = converter.convert(bytes);
    if (!converted)
        return common::Failure{QStringLiteral("not valid %1 text: %2")
                                   .arg(QLatin1String(encoding), converted.error())};

    // The declaration is plain ASCII in every encoding we convert from, so it sits unchanged
    // at the start of the converted text.
    QByteArray utf8 = std::move(converted).value();
    const QString declaration = declarationOf(utf8);
    const QRegularExpressionMatch match = encodingPattern().match(declaration);
    if (match.hasMatch()) {
        utf8.replace(match.capturedStart(2), match.capturedLength(2), "utf-8");
    }
    return utf8;
}

} // namespace updates
