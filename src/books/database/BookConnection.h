#pragma once

#include <QSqlDatabase>
#include <QString>

// One open database of a phone book or of the history. A location is either a folder, holding the SQLite file
// named by the caller, or a PostgreSQL database written "postgresql://user@host[:port]/database"; a "host" query
// item ("?host=/run/postgresql") names a Unix socket folder instead of a host, and a "service" item
// ("postgresql://?service=books") takes the connection's parameters from the libpq service file. The password comes
// from ~/.pgpass or the service file; one written into the location is still used, with a warning in the log.
//
// Every statement waits at most the command time-out (one second unless changed) for a lock or, on a server, for
// its answer, and a server has as long to accept the connection: the books are read on the user-interface thread.
class BookConnection final {
public:
    static constexpr int DefaultCommandTimeoutMs = 1000;

    BookConnection();
    ~BookConnection();
    BookConnection(const BookConnection&) = delete;
    BookConnection& operator=(const BookConnection&) = delete;

    static bool isServerLocation(const QString& location);
    // True for a folder on NFS, SMB/CIFS, sshfs and the like, where SQLite's write-ahead log cannot be shared.
    static bool isOnNetworkFileSystem(const QString& folder);
    static bool isNetworkFileSystemType(qint64 statfsType);

    // Opens the database at location (closing any other first); false with the engine's message in error.
    bool open(const QString& location, const QString& fileName, QString* error);
    void close();
    bool isOpen() const { return m_database.isOpen(); }

    // The open database. Copies must be gone before close() or the next open().
    QSqlDatabase database() const { return m_database; }

    // Takes effect at the next open().
    void setCommandTimeoutMs(int milliseconds) { m_commandTimeoutMs = milliseconds; }
    int commandTimeoutMs() const { return m_commandTimeoutMs; }

private:
    bool openSqlite(const QString& path, bool networkFolder, QString* error);
    bool openPostgres(const QString& location, QString* error);

    QString m_name;
    QSqlDatabase m_database;
    int m_commandTimeoutMs = DefaultCommandTimeoutMs;
};
