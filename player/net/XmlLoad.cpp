#include "player/net/XmlLoad.h"

#include "player/Services.h"
#include "player/Stage.h"

namespace net {

XmlLoad::XmlLoad(player::Stage& stage, QObject* parent)
    : QObject(parent ? parent : &stage), m_stage(stage) {}

XmlLoad::~XmlLoad() {
    cancel();
}

void XmlLoad::cancel() {
    if (m_transfer)
        m_transfer->cancel();
    m_transfer = nullptr;
}

void XmlLoad::load(const QString& address) {
    cancel();
    m_transfer = m_stage.services().network().get(address, Limits{kMaxBytes, 30000});
    connect(m_transfer, &Transfer::finished, this, [this](const QByteArray& body) {
        m_transfer = nullptr;
        emit loaded(true, QString::fromUtf8(body));
    });
    connect(m_transfer, &Transfer::failed, this, [this](const QString& reason) {
        m_transfer = nullptr;
        m_stage.trace(QStringLiteral("XML load failed: ") + reason);
        emit loaded(false, QString());
    });
}

bool parseMovieXml(const QString& text, pugi::xml_document& document) {
    const QByteArray bytes = text.toUtf8();
    // A fragment keeps the white space between the top-level nodes, which a document
    // parse drops; the declaration is skipped as no node.
    const unsigned options = (pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_fragment) &
                             ~pugi::parse_declaration;
    const pugi::xml_parse_result result = document.load_buffer(
        bytes.constData(), static_cast<size_t>(bytes.size()), options, pugi::encoding_utf8);
    return static_cast<bool>(result);
}

} // namespace net
