#include "PostgresCluster.h"
#include "books/database/BookConnection.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr const char* Password = "pass word'7";

QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg) {
        warnings.append(message);
    }
}

// A file only its owner may read, as libpq demands of a password file.
bool writePrivateFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() &&
           file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

// Where the password of a PostgreSQL book comes from: the user's password file or a service file, so that the
// settings never hold it; one written into the location still works and is warned about once.
class TestPostgresPassword final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_cluster = std::make_unique<PostgresCluster>(QLatin1String(Password));
        if (!m_cluster->unavailable().isEmpty()) {
            QSKIP(qPrintable(m_cluster->unavailable()));
        }
        QVERIFY2(m_cluster->isRunning(), qPrintable(m_cluster->error()));
        QVERIFY2(m_cluster->createDatabase(QStringLiteral("books")), qPrintable(m_cluster->error()));
        qunsetenv("PGPASSFILE");
        qunsetenv("PGSERVICEFILE");
    }

    void cleanup()
    {
        qunsetenv("PGPASSFILE");
        qunsetenv("PGSERVICEFILE");
    }

    void cleanupTestCase() { m_cluster.reset(); }

    void withoutAPasswordFileTheServerRefuses()
    {
        QString error;
        QVERIFY(!open(m_cluster->location(QStringLiteral("books")), &error));
        QVERIFY(error.contains(QStringLiteral("password"), Qt::CaseInsensitive));
    }

    void passwordComesFromThePasswordFile()
    {
        const QString file = m_folder.filePath(QStringLiteral("pgpass"));
        // A blank, a quote and a colon in a password are written as libpq reads them.
        QVERIFY(writePrivateFile(file, "*:*:*:tervo:" + QByteArray(Password) + "\n"));
        qputenv("PGPASSFILE", QFile::encodeName(file));
        QString error;
        QVERIFY2(open(m_cluster->location(QStringLiteral("books")), &error), qPrintable(error));
    }

    void serviceFileNamesTheWholeConnection()
    {
        const QString file = m_folder.filePath(QStringLiteral("pg_service.conf"));
        QVERIFY(writePrivateFile(file, QStringLiteral("[tervo-books]\nhost=%1\ndbname=books\nuser=tervo\npassword=%2\n")
                                           .arg(m_cluster->socketFolder(), QLatin1String(Password))
                                           .toUtf8()));
        qputenv("PGSERVICEFILE", QFile::encodeName(file));
        QString error;
        QVERIFY2(open(QStringLiteral("postgresql://?service=tervo-books"), &error), qPrintable(error));
        QVERIFY(!open(QStringLiteral("postgresql://?service=elsewhere"), &error));
    }

    // A password written into the location works and never reaches the log (the settings point it out).
    void passwordInTheLocationWorksAndIsNotLogged()
    {
        const QString location =
            QStringLiteral("postgresql://tervo:%1@/books?host=%2")
                .arg(QString::fromLatin1(QUrl::toPercentEncoding(QLatin1String(Password))), m_cluster->socketFolder());
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        QString error;
        const bool first = open(location, &error);
        const bool second = open(location, &error);
        qInstallMessageHandler(previous);
        QVERIFY2(first && second, qPrintable(error));
        for (const QString& warning : warnings) {
            QVERIFY2(!warning.contains(QStringLiteral("pass word")), qPrintable(warning));
        }
    }

private:
    static bool open(const QString& location, QString* error)
    {
        BookConnection connection;
        return connection.open(location, QString(), error);
    }

    std::unique_ptr<PostgresCluster> m_cluster;
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestPostgresPassword)
#include "TestPostgresPassword.moc"
