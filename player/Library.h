#pragma once

#include <QHash>
#include <QString>
#include <functional>

namespace player {

class Clip;

// The movie's symbols by linkage name: each builds the content of a freshly attached clip.
class Library {
public:
    using Builder = std::function<void(Clip&)>;

    void define(const QString& symbol, Builder builder) {
        m_symbols.insert(symbol, std::move(builder));
    }
    [[nodiscard]] bool has(const QString& symbol) const { return m_symbols.contains(symbol); }
    [[nodiscard]] Builder builder(const QString& symbol) const { return m_symbols.value(symbol); }
    void clear() { m_symbols.clear(); }

private:
    QHash<QString, Builder> m_symbols;
};

} // namespace player
