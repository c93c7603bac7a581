#pragma once

#include "player/net/Transfer.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace player {
class Stage;
}

namespace net {

// A set of named text values that posts itself to an address and takes the answer's
// values in, as the movie's form variables object does. The same object can be posted
// again: what the answer brought goes out with the next post.
class FormPost : public QObject {
    Q_OBJECT
public:
    // Answers are a few named values; the request may carry a whole photo as text.
    static constexpr qint64 kMaxAnswerBytes = 1024 * 1024;

    explicit FormPost(player::Stage& stage, QObject* parent = nullptr);
    ~FormPost() override;

    void set(const QString& name, const QString& value);
    [[nodiscard]] QString value(const QString& name) const;
    [[nodiscard]] bool has(const QString& name) const;
    [[nodiscard]] const Fields& fields() const { return m_fields; }

    // Posts every value to `address`. A post still running is cancelled first.
    void post(const QString& address);
    // Posts every value and forgets the answer.
    void send(const QString& address);
    void cancel();
    [[nodiscard]] bool isPosting() const { return m_transfer != nullptr; }

signals:
    // success false: no answer, or one that is not form-encoded; the values stay as they
    // were. On success the answer's values have been taken in.
    void loaded(bool success);

private:
    void start(const QString& address, bool wantAnswer);

    player::Stage& m_stage;
    Fields m_fields;
    QPointer<Transfer> m_transfer;
};

} // namespace net
