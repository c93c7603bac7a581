#include "player/net/FormEncoding.h"

#include <QUrl>

namespace net {

namespace {

QString decodePart(QByteArray part) {
    part.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(part));
}

bool plausibleName(const QByteArray& name) {
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || c == '<' || c == '>' || c == '"' || c == '\'')
            return false;
    }
    return true;
}

} // namespace

QByteArray encodeForm(const Fields& fields) {
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name);
        body += '=';
        body += QUrl::toPercentEncoding(value);
    }
    return body;
}

std::optional<Fields> decodeForm(const QByteArray& answer) {
    const QByteArray text = answer.trimmed();
    Fields fields;
    if (text.isEmpty())
        return fields;
    for (const QByteArray& pair : text.split('&')) {
        if (pair.isEmpty())
            continue; // "a=1&&b=2" and a trailing "&" are harmless
        const qsizetype equals = pair.indexOf('=');
        const QByteArray name = equals < 0 ? pair : pair.left(equals);
        if (!plausibleName(name))
            return std::nullopt;
        fields.append(
            {decodePart(name), equals < 0 ? QString() : decodePart(pair.mid(equals + 1))});
    }
    return fields;
}

} // namespace net
