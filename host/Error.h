#pragma once

#include <QString>
#include <stdexcept>

namespace host {

// An error the host shows to the user in a message box, with its text as it stands. Every
// host operation that fails in a way the user should hear about throws one of these; the
// command channel catches it, shows it and carries on.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    [[nodiscard]] const QString& text() const { return m_text; }

private:
    QString m_text;
};

// The text to show for any exception: the host's own text, or what the library said.
[[nodiscard]] inline QString errorText(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Error*>(&e))
        return own->text();
    return QString::fromLocal8Bit(e.what());
}

} // namespace host
