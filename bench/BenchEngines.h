#pragma once

#include "BenchMain.h"
#include "books/PostgresCluster.h"

#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <utility>

// Where a benchmark's database lives: argument 0 is an SQLite file in a temporary folder, 1 a database on a
// throw-away PostgreSQL server on a Unix socket, started on first use (skipped when its binaries are missing).
class BenchEngines final {
public:
    static constexpr int Sqlite = 0;
    static constexpr int Postgres = 1;

    static BenchEngines& instance()
    {
        static BenchEngines engines;
        return engines;
    }

    static const char* name(int engine) { return engine == Postgres ? "postgresql" : "sqlite"; }

    // A new location for a database named after name; empty (with the reason in error) when the engine is
    // unavailable. A benchmark that runs again gets a new one.
    QString newLocation(int engine, const QString& baseName, QString* error)
    {
        const QString name = baseName + QStringLiteral("_%1").arg(++m_count);
        if (engine == Sqlite) {
            return m_folder.filePath(name);
        }
        if (!m_cluster) {
            m_cluster = std::make_unique<PostgresCluster>();
        }
        if (!m_cluster->unavailable().isEmpty() || !m_cluster->isRunning() ||
            !m_cluster->createDatabase(name.toLower())) {
            *error = m_cluster->unavailable().isEmpty() ? m_cluster->error() : m_cluster->unavailable();
            return {};
        }
        return m_cluster->location(name.toLower());
    }

    // Before the application object goes: the server stops.
    void stop() { m_cluster.reset(); }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<PostgresCluster> m_cluster;
    int m_count = 0;
};

// What the benchmarks of a program share for each (size, engine) pair of their arguments, made on first use: a
// filled book takes longer to make than the benchmarks take to run. Closed after the last benchmark, then the
// PostgreSQL server stops.
template <typename Fixture>
class EngineFixtures final {
public:
    EngineFixtures()
        : m_atEnd([this] {
            m_made.clear();
            BenchEngines::instance().stop();
        })
    {
    }
    EngineFixtures(const EngineFixtures&) = delete;
    EngineFixtures& operator=(const EngineFixtures&) = delete;

    // The fixture of size and engine, or null with the benchmark skipped for the reason it could not be made.
    Fixture* ready(benchmark::State& state, int size, int engine)
    {
        std::unique_ptr<Fixture>& fixture = m_made[{size, engine}];
        if (!fixture) {
            fixture = std::make_unique<Fixture>(size, engine);
        }
        if (!fixture->error().isEmpty()) {
            state.SkipWithError(qPrintable(fixture->error()));
            return nullptr;
        }
        return fixture.get();
    }

private:
    std::map<std::pair<int, int>, std::unique_ptr<Fixture>> m_made;
    BenchMain::AtEnd m_atEnd;
};
