#include "books/database/BookConnection.h"

#include <QAtomicInt>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <sys/vfs.h>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tervo-book-%1").arg(counter.fetchAndAddRelaxed(1));
}

// A value of a libpq connection string, quoted so that blanks and quotes in it stay part of it.
QString quotedOption(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\"));
    value.replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + value + u'\'';
}

// The most of a local SQLite file read through a memory map.
constexpr qint64 MemoryMapBytes = qint64(1) << 30;

bool fail(QString* error, const QString& text)
{
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

} // namespace

BookConnection::BookConnection()
    : m_name(nextConnectionName())
{
}

BookConnection::~BookConnection()
{
    close();
}

bool BookConnection::isServerLocation(const QString& location)
{
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive);
}

bool BookConnection::isNetworkFileSystemType(qint64 statfsType)
{
    // The magic numbers of <linux/magic.h> and of the file systems that do not publish theirs there.
    switch (quint32(statfsType)) {
    case 0x6969U:     // NFS
    case 0x517BU:     // SMB
    case 0xFF534D42U: // CIFS
    case 0xFE534D42U: // SMB2
    case 0x65735546U: // FUSE (sshfs, and others whose locking SQLite cannot trust either)
    case 0x564CU:     // NCP
    case 0x5346414FU: // AFS
    case 0x73757245U: // Coda
    case 0x01021997U: // 9P
    case 0x00C36400U: // Ceph
    case 0x01161970U: // GFS2
    case 0x7461636FU: // OCFS2
    case 0x0BD00BD0U: // Lustre
        return true;
    default:
        return false;
    }
}

bool BookConnection::isOnNetworkFileSystem(const QString& folder)
{
    struct statfs info {};
    if (statfs(QFile::encodeName(folder).constData(), &info) != 0) {
        return false;
    }
    return isNetworkFileSystemType(qint64(info.f_type));
}

bool BookConnection::open(const QString& location, const QString& fileName, QString* error)
{
    close();
    if (isServerLocation(location)) {
        return openPostgres(location, error);
    }
    return openSqlite(QDir(location).filePath(fileName), isOnNetworkFileSystem(location), error);
}

void BookConnection::close()
{
    if (!m_database.isValid()) {
        return;
    }
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

bool BookConnection::openSqlite(const QString& path, bool networkFolder, QString* error)
{
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_database.setDatabaseName(path);
    // Another client writing the shared book holds the lock for a moment; wait for it rather than fail, but never
    // longer than the command time-out: a ring waits for the caller's name.
    m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_commandTimeoutMs));
    if (!m_database.open()) {
        const QString text = m_database.lastError().text();
        close();
        return fail(error, text);
    }
    // The write-ahead log needs shared memory that network file systems cannot share between machines; there the
    // rollback journal keeps the file safe. FULL synchronisation makes a committed row survive a crash of the
    // machine, not only of the process. A local file is read through a memory map, so that a lookup in a large
    // book costs no system call per page, and the sorts of a statement stay in memory.
    QStringList pragmas{networkFolder ? QStringLiteral("journal_mode=DELETE") : QStringLiteral("journal_mode=WAL"),
                        QStringLiteral("synchronous=FULL"), QStringLiteral("temp_store=MEMORY")};
    if (!networkFolder) {
        pragmas << QStringLiteral("mmap_size=%1").arg(MemoryMapBytes);
    }
    QSqlQuery pragma(m_database);
    bool ok = true;
    for (const QString& setting : pragmas) {
        ok = ok && pragma.exec(QStringLiteral("PRAGMA ") + setting);
    }
    if (!ok) {
        const QString text = pragma.lastError().text();
        pragma = QSqlQuery();
        close();
        return fail(error, text);
    }
    return true;
}

bool BookConnection::openPostgres(const QString& location, QString* error)
{
    const QUrl url(location);
    const QUrlQuery query(url);
    const QString service = query.queryItemValue(QStringLiteral("service"), QUrl::FullyDecoded);
    if (!url.isValid() || (url.path().size() < 2 && service.isEmpty())) {
        // Not the location itself: it may carry a password.
        return fail(error, QStringLiteral("not a postgresql://user@host:port/database location"));
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        return fail(error, QStringLiteral("QPSQL driver is not available"));
    }
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    const QString socketFolder = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    // Parameters left empty are not passed on, so libpq takes them from the service file or its defaults.
    m_database.setHostName(socketFolder.isEmpty() ? url.host() : socketFolder);
    m_database.setPort(url.port());
    m_database.setUserName(url.userName(QUrl::FullyDecoded));
    if (!url.password().isEmpty()) {
        m_database.setPassword(url.password(QUrl::FullyDecoded));
    }
    m_database.setDatabaseName(url.path(QUrl::FullyDecoded).mid(1));
    // libpq counts its connect time-out in whole seconds.
    QStringList options{QStringLiteral("connect_timeout=%1").arg(std::max(1, (m_commandTimeoutMs + 999) / 1000))};
    if (!service.isEmpty()) {
        options.append(QStringLiteral("service=%1").arg(quotedOption(service)));
    }
    m_database.setConnectOptions(options.join(u';'));
    if (!m_database.open()) {
        const QString text = m_database.lastError().text();
        close();
        return fail(error, text);
    }
    // A locked table or a stalled server answers within the command time-out instead of holding the window. The
    // server's notices ("already exists, skipping") are not worth the standard error output.
    QSqlQuery settings(m_database);
    const QString timeout = QString::number(m_commandTimeoutMs);
    for (const QString& setting :
         {QStringLiteral("statement_timeout = ") + timeout, QStringLiteral("lock_timeout = ") + timeout,
          QStringLiteral("client_min_messages = warning")}) {
        if (!settings.exec(QStringLiteral("SET ") + setting)) {
            const QString text = settings.lastError().text();
            settings = QSqlQuery();
            close();
            return fail(error, text);
        }
    }
    return true;
}
