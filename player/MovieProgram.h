#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

namespace player {

class Stage;

// The code of a movie, compiled into the program and named in the bundle's manifest, as a
// movie's main class would be. `start` builds the root timeline; the player then enters
// frame 1 and lets the frame clock run.
class MovieProgram {
public:
    virtual ~MovieProgram() = default;
    virtual void start(Stage& stage) = 0;
};

// Which movie programs this player can run, by name. Each executable fills its own.
class MovieRegistry {
public:
    using Factory = std::function<std::unique_ptr<MovieProgram>()>;

    void add(const QString& name, Factory factory) { m_factories.insert(name, std::move(factory)); }
    [[nodiscard]] std::unique_ptr<MovieProgram> create(const QString& name) const {
        auto it = m_factories.constFind(name);
        return it == m_factories.constEnd() ? nullptr : it.value()();
    }

private:
    QHash<QString, Factory> m_factories;
};

} // namespace player
