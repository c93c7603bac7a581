#include "player/net/FormPost.h"

#include "player/Services.h"
#include "player/Stage.h"
#include "player/net/FormEncoding.h"

namespace net {

FormPost::FormPost(player::Stage& stage, QObject* parent)
    : QObject(parent ? parent : &stage), m_stage(stage) {}

FormPost::~FormPost() {
    cancel();
}

void FormPost::set(const QString& name, const QString& value) {
    for (auto& field : m_fields) {
        if (field.first == name) {
            field.second = value;
            return;
        }
    }
    m_fields.append({name, value});
}

QString FormPost::value(const QString& name) const {
    for (const auto& field : m_fields) {
        if (field.first == name)
            return field.second;
    }
    return {};
}

bool FormPost::has(const QString& name) const {
    for (const auto& field : m_fields) {
        if (field.first == name)
            return true;
    }
    return false;
}

void FormPost::cancel() {
    if (m_transfer)
        m_transfer->cancel();
    m_transfer = nullptr;
}

void FormPost::post(const QString& address) {
    start(address, true);
}

void FormPost::send(const QString& address) {
    start(address, false);
}

void FormPost::start(const QString& address, bool wantAnswer) {
    cancel();
    m_transfer =
        m_stage.services().network().postForm(address, m_fields, Limits{kMaxAnswerBytes, 30000});
    connect(m_transfer, &Transfer::finished, this, [this, wantAnswer](const QByteArray& body) {
        m_transfer = nullptr;
        if (!wantAnswer)
            return;
        const std::optional<Fields> answer = decodeForm(body);
        if (!answer) {
            m_stage.trace(QStringLiteral("form post: the answer is not form-encoded"));
            emit loaded(false);
            return;
        }
        for (const auto& [name, value] : *answer)
            set(name, value);
        emit loaded(true);
    });
    connect(m_transfer, &Transfer::failed, this, [this, wantAnswer](const QString& reason) {
        m_transfer = nullptr;
        m_stage.trace(QStringLiteral("form post failed: ") + reason);
        if (wantAnswer)
            emit loaded(false);
    });
}

} // namespace net
