#include "books/database/BookSchema.h"

#include "books/contacts/NameIndex.h"
#include "books/database/SchemaUpgrade.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString identity(SqlEngine engine, const QString& table)
{
    // PostgreSQL names a primary key's index after its constraint, and index names are unique per schema, so
    // only Book2 keeps the shared name there.
    const bool shareName = engine == SqlEngine::Sqlite || table == u"Book2";
    return SqlEngines::identityColumn(engine, shareName ? QStringLiteral("Idx_ID") : table + QStringLiteral("_Idx_ID"));
}

} // namespace

QStringList BookSchema::createBook2(SqlEngine engine)
{
    QString numbers;
    for (int i = 1; i <= 5; ++i) {
        numbers +=
            QStringLiteral("Nr%1 VARCHAR(%2), Typ%1 SMALLINT DEFAULT %3, ").arg(i).arg(NumberWidth).arg(i == 1 ? 1 : 2);
    }
    return {QStringLiteral("CREATE TABLE Book2 (ID %1, Nazwa VARCHAR(%3), %2Notes TEXT, Opis VARCHAR(%4), "
                           "Email VARCHAR(%5), OtwNot BOOLEAN DEFAULT FALSE, Fwd SMALLINT DEFAULT 0, "
                           "FwdNr VARCHAR(%6), DefNr SMALLINT DEFAULT 0)")
                .arg(identity(engine, QStringLiteral("Book2")), numbers)
                .arg(NameWidth)
                .arg(DescriptionWidth)
                .arg(EmailWidth)
                .arg(NumberWidth),
            QStringLiteral("CREATE INDEX Idx_Nazwa ON Book2 (Nazwa)")};
}

QStringList BookSchema::createGroups(SqlEngine engine)
{
    return {QStringLiteral("CREATE TABLE Groups (ID %1, Nazwa VARCHAR(24) NOT NULL, Opis VARCHAR(200))")
                .arg(identity(engine, QStringLiteral("Groups"))),
            QStringLiteral("CREATE INDEX Idx_GNazwa ON Groups (Nazwa)")};
}

QStringList BookSchema::createTelTypes2(SqlEngine engine)
{
    return {QStringLiteral("CREATE TABLE TelTypes2 (ID %1, PhoneType VARCHAR(17))")
                .arg(identity(engine, QStringLiteral("TelTypes2")))};
}

QStringList BookSchema::createNumberIndexes()
{
    // With the name beside the number an index hands out the contacts of a number already in name order; the
    // indexes of the number alone that earlier versions made go.
    QStringList statements;
    for (int i = 1; i <= 5; ++i) {
        statements << QStringLiteral("DROP INDEX IF EXISTS Idx_Nr%1").arg(i)
                   << QStringLiteral("CREATE INDEX IF NOT EXISTS Idx_Nr%1Nazwa ON Book2 (Nr%1, Nazwa)").arg(i);
    }
    return statements;
}

QString BookSchema::createGroupIndex()
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS Idx_GrupaNazwa ON Book2 (GroupID, Nazwa, ID)");
}

QString BookSchema::createInfo()
{
    return QStringLiteral("CREATE TABLE Info (Hash INTEGER NOT NULL DEFAULT 0)");
}

QString BookSchema::createStateIndex()
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS Idx_Stan ON History2 "
                          "(Reserved_Historia, Archiwum_Historia, Data1_Historia, Czas1_Historia)");
}

QStringList BookSchema::createHistory2(SqlEngine engine)
{
    return {
        QStringLiteral("CREATE TABLE History2 (ID_Historia %1, Typ_Historia SMALLINT, Data1_Historia DATE, "
                       "Czas1_Historia TIME, Data2_Historia DATE, Czas2_Historia TIME, "
                       "NrTel_Historia VARCHAR(26), Tluste_Historia BOOLEAN DEFAULT FALSE, Stracone_Historia SMALLINT, "
                       "JestNagranie_Historia BOOLEAN DEFAULT FALSE, Archiwum_Historia BOOLEAN DEFAULT FALSE, "
                       "ErecId_Historia VARCHAR(7), Reserved_Historia BOOLEAN DEFAULT FALSE)")
            .arg(identity(engine, QStringLiteral("History2"))),
        QStringLiteral("CREATE INDEX Idx_Data ON History2 (Data1_Historia DESC, Czas1_Historia DESC)"),
        QStringLiteral("CREATE INDEX Idx_Typ ON History2 (Typ_Historia)"),
        QStringLiteral("CREATE INDEX Idx_NrTel ON History2 (NrTel_Historia)"), createStateIndex()};
}

namespace {

// A side table of History2 with its row 0 " " and the reference column that points into it.
QStringList sideTable(SqlEngine engine, const QString& table, const QString& column, const QString& type,
                      const QString& reference, const QString& constraint)
{
    QStringList statements{
        QStringLiteral("CREATE TABLE %1 (ID %2, %3 %4)").arg(table, identity(engine, table), column, type),
        QStringLiteral("INSERT INTO %1 (ID, %2) VALUES (0, ' ')").arg(table, column)};
    // SQLite cannot add a constraint to an existing table; its column carries the reference inline.
    statements.append(QStringLiteral("ALTER TABLE History2 ADD COLUMN %1 INTEGER DEFAULT 0 CONSTRAINT %2 REFERENCES %3")
                          .arg(reference, constraint, table));
    statements.append(QStringLiteral("UPDATE History2 SET %1 = 0 WHERE %1 IS NULL").arg(reference));
    return statements;
}

} // namespace

QStringList BookSchema::createSms(SqlEngine engine)
{
    QStringList statements = sideTable(engine, QStringLiteral("Sms"), QStringLiteral("Wiadomosc"),
                                       QStringLiteral("TEXT"), QStringLiteral("SmsID"), QStringLiteral("gr_pk"));
    statements.append(QStringLiteral("ALTER TABLE History2 ADD COLUMN ZlecenieID INTEGER"));
    return statements;
}

QStringList BookSchema::createKomentarz(SqlEngine engine)
{
    return sideTable(engine, QStringLiteral("Komentarz"), QStringLiteral("Koment"),
                     QStringLiteral("VARCHAR(30) NOT NULL"), QStringLiteral("KomentID"), QStringLiteral("hi_ko"));
}

QStringList BookSchema::createNrInit(SqlEngine engine)
{
    return sideTable(engine, QStringLiteral("NrInit"), QStringLiteral("NrInicjator"),
                     QStringLiteral("VARCHAR(32) NOT NULL"), QStringLiteral("NrInitID"), QStringLiteral("hi_nrinit"));
}

bool BookSchema::run(QSqlDatabase& database, const QStringList& statements, QString* error)
{
    for (const QString& statement : statements) {
        QSqlQuery query(database);
        if (!query.exec(statement)) {
            if (error != nullptr) {
                *error = query.lastError().text();
            }
            return false;
        }
    }
    return true;
}

bool BookSchema::createPhoneBook(QSqlDatabase& database, const QString& othersName, int identityValue, QString* error)
{
    SchemaUpgrade schema(database);
    const SqlEngine engine = schema.engine();
    QStringList statements = createBook2(engine) + createGroups(engine) + createTelTypes2(engine);
    statements.append(createInfo());
    statements.append(QStringLiteral("ALTER TABLE Book2 ADD COLUMN GroupID INTEGER DEFAULT 0 CONSTRAINT gr_pk "
                                     "REFERENCES Groups"));
    statements.append(createNumberIndexes());
    statements.append(createGroupIndex());
    const bool ok = schema.begin() && schema.run(statements) &&
                    schema.exec(QStringLiteral("INSERT INTO Groups (ID, Nazwa) VALUES (0, ?)"), {othersName}) &&
                    schema.exec(QStringLiteral("INSERT INTO Info (Hash) VALUES (?)"), {identityValue}) &&
                    NameIndex::upgrade(schema);
    if (!ok || !schema.commit()) {
        schema.rollback();
        if (error != nullptr) {
            *error = schema.error();
        }
        return false;
    }
    return true;
}

bool BookSchema::createHistory(QSqlDatabase& database, QString* error)
{
    const SqlEngine engine = SqlEngines::of(database);
    if (!database.transaction()) {
        if (error != nullptr) {
            *error = database.lastError().text();
        }
        return false;
    }
    const QStringList statements =
        createHistory2(engine) + createSms(engine) + createKomentarz(engine) + createNrInit(engine);
    if (!run(database, statements, error)) {
        database.rollback();
        return false;
    }
    return database.commit();
}
