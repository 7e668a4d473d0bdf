#include "books/contacts/NameIndex.h"

#include "books/contacts/DiacriticFolding.h"
#include "books/database/SchemaUpgrade.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <mutex>

namespace {

// The column, the index of the rows that still lack it, and what clears it when only the name changes.
QStringList addColumn(SqlEngine engine)
{
    QStringList statements{QStringLiteral("ALTER TABLE Book2 ADD COLUMN NazwaSzuk TEXT"),
                           QStringLiteral("CREATE INDEX Idx_NazwaSzukBrak ON Book2 (ID) WHERE NazwaSzuk IS NULL")};
    if (engine == SqlEngine::Sqlite) {
        statements << QStringLiteral("CREATE TRIGGER Book2_NazwaZmiana AFTER UPDATE OF Nazwa ON Book2 "
                                     "WHEN new.Nazwa IS NOT old.Nazwa AND new.NazwaSzuk IS old.NazwaSzuk "
                                     "BEGIN UPDATE Book2 SET NazwaSzuk = NULL WHERE ID = new.ID; END");
    } else {
        statements << QStringLiteral("CREATE FUNCTION book2_nazwa_zmiana() RETURNS trigger LANGUAGE plpgsql AS "
                                     "$$BEGIN NEW.NazwaSzuk := NULL; RETURN NEW; END$$")
                   << QStringLiteral("CREATE TRIGGER Book2_NazwaZmiana BEFORE UPDATE OF Nazwa ON Book2 FOR EACH ROW "
                                     "WHEN (NEW.Nazwa IS DISTINCT FROM OLD.Nazwa AND "
                                     "NEW.NazwaSzuk IS NOT DISTINCT FROM OLD.NazwaSzuk) "
                                     "EXECUTE FUNCTION book2_nazwa_zmiana()");
    }
    return statements;
}

// The trigram index. On SQLite a table of its own that triggers keep equal to the column; on PostgreSQL an index
// of the column, whose extension the book's owner may create (pg_trgm is a trusted extension).
QStringList createSubstringIndex(SqlEngine engine)
{
    if (engine == SqlEngine::Postgres) {
        // Indexing a large book once may take longer than a statement normally may.
        return {QStringLiteral("SET LOCAL statement_timeout = 0"),
                QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm"),
                QStringLiteral("CREATE INDEX Idx_NazwaSzuk ON Book2 USING gin (NazwaSzuk gin_trgm_ops)")};
    }
    return {QStringLiteral("CREATE VIRTUAL TABLE Book2Szuk USING fts5(NazwaSzuk, "
                           "tokenize = 'trigram case_sensitive 1')"),
            QStringLiteral("INSERT INTO Book2Szuk (rowid, NazwaSzuk) SELECT ID, NazwaSzuk FROM Book2"),
            QStringLiteral("CREATE TRIGGER Book2Szuk_Dodaj AFTER INSERT ON Book2 "
                           "BEGIN INSERT INTO Book2Szuk (rowid, NazwaSzuk) VALUES (new.ID, new.NazwaSzuk); END"),
            QStringLiteral("CREATE TRIGGER Book2Szuk_Usun AFTER DELETE ON Book2 "
                           "BEGIN DELETE FROM Book2Szuk WHERE rowid = old.ID; END"),
            // A name changed without its folded form is cleared by Book2_NazwaZmiana; this trigger makes the same
            // choice itself, so the index agrees with the column whichever of the two runs first.
            QStringLiteral("CREATE TRIGGER Book2Szuk_Zmien AFTER UPDATE OF Nazwa, NazwaSzuk ON Book2 "
                           "BEGIN DELETE FROM Book2Szuk WHERE rowid = old.ID; "
                           "INSERT INTO Book2Szuk (rowid, NazwaSzuk) VALUES (new.ID, CASE WHEN new.Nazwa IS NOT "
                           "old.Nazwa AND new.NazwaSzuk IS old.NazwaSzuk THEN NULL ELSE new.NazwaSzuk END); END")};
}

bool fillMissing(SchemaUpgrade& schema)
{
    QList<std::pair<int, QString>> missing;
    {
        QSqlQuery rows(schema.database());
        rows.setForwardOnly(true);
        if (!rows.exec(QStringLiteral("SELECT ID, Nazwa FROM Book2 WHERE NazwaSzuk IS NULL"))) {
            return schema.fail(rows.lastError().text());
        }
        while (rows.next()) {
            missing.append({rows.value(0).toInt(), rows.value(1).toString()});
        }
    }
    if (missing.isEmpty()) {
        return true;
    }
    QSqlQuery update(schema.database());
    if (!update.prepare(QStringLiteral("UPDATE Book2 SET NazwaSzuk = ? WHERE ID = ?"))) {
        return schema.fail(update.lastError().text());
    }
    for (const auto& [id, name] : missing) {
        update.bindValue(0, NameIndex::searchForm(name));
        update.bindValue(1, id);
        if (!update.exec()) {
            return schema.fail(update.lastError().text());
        }
    }
    return true;
}

} // namespace

QString NameIndex::searchForm(const QString& name)
{
    return DiacriticFolding::searchForm(name, true);
}

bool NameIndex::upgrade(SchemaUpgrade& schema)
{
    if (!schema.hasColumn(QStringLiteral("Book2"), QLatin1String(Column)) && !schema.run(addColumn(schema.engine()))) {
        return false;
    }
    if (!fillMissing(schema)) {
        return false;
    }
    if (hasSubstringIndex(schema.database())) {
        return true;
    }
    if (!schema.runOptional([&schema] { return schema.run(createSubstringIndex(schema.engine())); })) {
        // The book works without it, only its searches scan; said once per run.
        static std::once_flag told;
        const QString reason = schema.error();
        std::call_once(told, [&reason] {
            qInfo().noquote() << "A phone book's names have no substring index; searches read every name:" << reason;
        });
    }
    return true;
}

bool NameIndex::hasSubstringIndex(const QSqlDatabase& database)
{
    if (SqlEngines::of(database) == SqlEngine::Sqlite) {
        return SqlEngines::hasTable(database, QStringLiteral("Book2Szuk"));
    }
    QSqlQuery query(database);
    return query.exec(QStringLiteral("SELECT 1 FROM pg_catalog.pg_indexes WHERE indexname = 'idx_nazwaszuk' "
                                     "AND schemaname = ANY (pg_catalog.current_schemas(false))")) &&
           query.next();
}
