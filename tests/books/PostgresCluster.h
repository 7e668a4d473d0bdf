#pragma once

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <pwd.h>
#include <unistd.h>

// A throw-away PostgreSQL server for one test: initdb and pg_ctl run as the current user into a temporary folder,
// the server listens only on a Unix socket in that folder and is stopped in the destructor. initdb refuses to run
// as root, so under root the server runs as "nobody", which is given the folder.
class PostgresCluster final {
public:
    explicit PostgresCluster(QString password = {})
        : m_password(std::move(password))
    {
        m_binaries = findBinaries();
        if (m_binaries.isEmpty()) {
            m_unavailable = QStringLiteral("PostgreSQL server binaries (initdb, pg_ctl) are not installed; "
                                           "scripts/bootstrap installs the package postgresql");
            return;
        }
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
            m_unavailable = QStringLiteral("the Qt PostgreSQL driver QPSQL is not installed (libqt6sql6-psql)");
            return;
        }
        if (::geteuid() == 0) {
            m_runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
            if (m_runuser.isEmpty()) {
                m_runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"),
                                                           {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
            }
            const passwd* nobody = ::getpwnam("nobody");
            if (m_runuser.isEmpty() || nobody == nullptr ||
                ::chown(QFile::encodeName(m_folder.path()).constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
                m_unavailable = QStringLiteral("running as root, and the server cannot be run as nobody");
                return;
            }
        }
        QStringList initdb{
            QStringLiteral("-D"), dataFolder(),           QStringLiteral("-U"),          userName(),
            QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-locale"), QStringLiteral("--no-sync"),
            QStringLiteral("-A")};
        if (m_password.isEmpty()) {
            initdb << QStringLiteral("trust");
        } else {
            const QString passwordFile = m_folder.filePath(QStringLiteral("password"));
            QFile file(passwordFile);
            if (!file.open(QIODevice::WriteOnly) || file.write(m_password.toUtf8()) < 0) {
                m_error = QStringLiteral("cannot write the password file");
                return;
            }
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
            initdb << QStringLiteral("scram-sha-256") << QStringLiteral("--pwfile=%1").arg(passwordFile);
        }
        m_running = run(QStringLiteral("initdb"), initdb) &&
                    run(QStringLiteral("pg_ctl"),
                        {QStringLiteral("-D"), dataFolder(), QStringLiteral("-l"),
                         m_folder.filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("-t"),
                         QStringLiteral("30"), QStringLiteral("-o"),
                         QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off").arg(m_folder.path()),
                         QStringLiteral("start")});
    }

    ~PostgresCluster()
    {
        if (m_running) {
            run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataFolder(), QStringLiteral("-m"),
                                           QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
        }
    }

    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // Why there is no server to test with: the binaries or the driver are missing. Empty when there is one.
    const QString& unavailable() const { return m_unavailable; }
    bool isRunning() const { return m_running; }
    const QString& error() const { return m_error; }

    bool createDatabase(const QString& name)
    {
        return execute(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE %1").arg(name)});
    }

    // Runs statements in order on database as the server's owner; false (see error()) at the first that fails.
    bool execute(const QString& database, const QStringList& statements)
    {
        bool ok = false;
        {
            QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("cluster-admin"));
            admin.setHostName(m_folder.path());
            admin.setUserName(userName());
            admin.setPassword(m_password);
            admin.setDatabaseName(database);
            if (admin.open()) {
                QSqlQuery query(admin);
                ok = true;
                for (const QString& statement : statements) {
                    if (!query.exec(statement)) {
                        m_error = query.lastError().text();
                        ok = false;
                        break;
                    }
                }
            } else {
                m_error = admin.lastError().text();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("cluster-admin"));
        return ok;
    }

    // The location of a database of this server as a book names it.
    QString location(const QString& database) const
    {
        return QStringLiteral("postgresql://%1@/%2?host=%3").arg(userName(), database, socketFolder());
    }

    static QString userName() { return QStringLiteral("tervo"); }
    // The folder of the server's Unix socket, its "host".
    QString socketFolder() const { return m_folder.path(); }

private:
    static QString findBinaries()
    {
        QDir versions(QStringLiteral("/usr/lib/postgresql"));
        const QStringList entries = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
        for (const QString& version : entries) {
            const QString bin = versions.filePath(version + QStringLiteral("/bin"));
            if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl"))) {
                return bin;
            }
        }
        const QString initdb = QStandardPaths::findExecutable(QStringLiteral("initdb"));
        return initdb.isEmpty() ? QString() : QFileInfo(initdb).path();
    }

    QString dataFolder() const { return m_folder.filePath(QStringLiteral("data")); }

    bool run(const QString& tool, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setWorkingDirectory(m_folder.path());
        const QString program = m_binaries + u'/' + tool;
        if (m_runuser.isEmpty()) {
            process.start(program, arguments);
        } else {
            process.start(m_runuser,
                          QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), program} +
                              arguments);
        }
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            m_error =
                tool + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll()) + process.errorString();
            return false;
        }
        return true;
    }

    QTemporaryDir m_folder;
    QString m_password;
    QString m_binaries;
    QString m_runuser;
    QString m_unavailable;
    QString m_error;
    bool m_running = false;
};
