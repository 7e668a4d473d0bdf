#pragma once

#include "ContactRows.h"
#include "PostgresCluster.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The engines a book or the history runs on, as the rows of a data-driven test, and a new, empty database location
// for each case: a folder of its own for SQLite, a database of its own on a throw-away PostgreSQL server.
class BothEngines final {
public:
    static QString sqlite() { return QStringLiteral("sqlite"); }
    static QString postgres() { return QStringLiteral("postgresql"); }

    static void addRows()
    {
        QTest::addColumn<QString>("engine");
        QTest::newRow("sqlite") << sqlite();
        QTest::newRow("postgresql") << postgres();
    }

    // Starts the server, unless its binaries are missing; false (see error()) when it cannot start although they
    // are there.
    bool start()
    {
        m_cluster = std::make_unique<PostgresCluster>();
        return !m_cluster->unavailable().isEmpty() || m_cluster->isRunning();
    }
    void stop() { m_cluster.reset(); }

    // Why engine cannot be tested on this machine; empty when it can.
    QString unavailable(const QString& engine) const
    {
        return engine == postgres() && m_cluster ? m_cluster->unavailable() : QString();
    }
    QString error() const { return m_cluster ? m_cluster->error() : QString(); }

    // A location where no database exists yet; empty when the server could not make one.
    QString newLocation(const QString& engine)
    {
        const QString name = QStringLiteral("case%1").arg(++m_cases);
        if (engine == sqlite()) {
            return m_folder.filePath(name);
        }
        return m_cluster && m_cluster->createDatabase(name) ? m_cluster->location(name) : QString();
    }

    PostgresCluster* cluster() { return m_cluster.get(); }

private:
    std::unique_ptr<PostgresCluster> m_cluster;
    QTemporaryDir m_folder;
    int m_cases = 0;
};

// In a test function with the data of BothEngines::addRows(): skips where the engine cannot be tested, else makes
// a new location named variable.
#define FETCH_NEW_LOCATION(engines, variable)                                                                          \
    QFETCH(QString, engine);                                                                                           \
    if (!(engines).unavailable(engine).isEmpty()) {                                                                    \
        QSKIP(qPrintable((engines).unavailable(engine)));                                                              \
    }                                                                                                                  \
    const QString variable = (engines).newLocation(engine);                                                            \
    QVERIFY2(!(variable).isEmpty(), qPrintable((engines).error()))
