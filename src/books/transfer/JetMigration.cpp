#include "books/transfer/JetMigration.h"

#include "books/database/DatabaseLocation.h"
#include "books/transfer/JetBookConversion.h"
#include "books/transfer/JetFile.h"
#include "books/transfer/JetHistoryConversion.h"
#include "settings/Lang.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <cstdio>

namespace {

bool moveOver(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Fills a new SQLite database at path in one transaction.
bool fillNewDatabase(const QString& path, const QString& source, const JetMigration::Filler& fill, QString* error)
{
    static QAtomicInt counter;
    const QString name = QStringLiteral("tervo-conversion-%1").arg(counter.fetchAndAddRelaxed(1));
    bool ok = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        if (!database.open()) {
            *error = database.lastError().text();
        } else {
            ok = fill(source, database, error);
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QString convertedText(JetMigration::Kind kind, const QString& file, const QString& kept)
{
    const QString converted =
        kind == JetMigration::Kind::Book
            ? Lang::_("The phone book %s of the Windows version has been converted for this version.")
            : Lang::_("The call history %s of the Windows version has been converted for this version.");
    return DatabaseLocation::withValue(converted, file) + u'\n' +
           DatabaseLocation::withValue(Lang::_("The original file is kept as %s."), kept);
}

JetMigration::Outcome failed(JetMigration::Kind kind, const QString& file, const QString& detail)
{
    const QString text = kind == JetMigration::Kind::Book
                             ? Lang::_("The phone book %s of the Windows version cannot be converted:")
                             : Lang::_("The call history %s of the Windows version cannot be converted:");
    return {JetMigration::Outcome::Result::Failed, DatabaseLocation::withValue(text, file) + u' ' + detail};
}

} // namespace

QString JetMigration::keptName(const QString& folder, const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString base = info.completeBaseName() + QStringLiteral("-windows");
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    QString name = base + suffix;
    for (int number = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++number) {
        name = base + u'-' + QString::number(number) + suffix;
    }
    return name;
}

JetMigration::Outcome JetMigration::convert(Kind kind, const QString& folder, const QString& fileName)
{
    return convert(kind, folder, fileName, kind == Kind::Book ? &JetBookConversion::fill : &JetHistoryConversion::fill);
}

JetMigration::Outcome JetMigration::convert(Kind kind, const QString& folder, const QString& fileName,
                                            const Filler& fill)
{
    const QDir directory(folder);
    const QString file = directory.filePath(fileName);
    if (!JetFile::isJetFile(file)) {
        return {};
    }
    // A name of our own, so that two clients converting the same shared file do not write into one.
    const QString converting =
        directory.filePath(QStringLiteral(".%1.%2.converting").arg(fileName).arg(QCoreApplication::applicationPid()));
    QFile::remove(converting);
    QString error;
    if (!fillNewDatabase(converting, file, fill, &error)) {
        QFile::remove(converting);
        return failed(kind, file, error);
    }
    if (!JetFile::isJetFile(file)) {
        // Another client converted it a moment ago.
        QFile::remove(converting);
        return {};
    }
    const QString kept = keptName(folder, fileName);
    if (!moveOver(file, directory.filePath(kept))) {
        QFile::remove(converting);
        return failed(kind, file, Lang::_("Error of phone book file creation:") + u' ' + directory.filePath(kept));
    }
    if (!moveOver(converting, file)) {
        const QString detail = Lang::_("Error of phone book file creation:") + u' ' + file;
        QFile::remove(converting);
        moveOver(directory.filePath(kept), file);
        return failed(kind, file, detail);
    }
    qInfo().noquote() << "Converted" << file << "of the Windows version; the original is kept as" << kept;
    return {Outcome::Result::Converted, convertedText(kind, file, kept)};
}
