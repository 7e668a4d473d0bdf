#include "FakeBookDialogs.h"
#include "books/database/BookConnection.h"
#include "books/database/BookSchema.h"
#include "books/database/ColumnWidth.h"
#include "books/database/SchemaUpgrade.h"
#include "books/history/HistoryConnector.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <cstring>

namespace {

const char CrashWriterArgument[] = "--crash-writer";
constexpr int CommittedRows = 20;
constexpr int UncommittedRows = 5;

bool insertCall(QSqlDatabase& database, const QString& number)
{
    QSqlQuery query(database);
    query.prepare(QStringLiteral("INSERT INTO History2 (Typ_Historia, NrTel_Historia) VALUES (1, ?)"));
    query.addBindValue(number);
    return query.exec();
}

// Runs in a child process: commits some calls, then dies in the middle of a transaction.
int writeAndCrash(const QString& folder)
{
    FakeBookDialogs dialogs;
    HistoryConnector history(QString(), dialogs);
    if (!history.connect(folder, true).ok) {
        return 2;
    }
    QSqlDatabase database = history.connection().database();
    for (int i = 0; i < CommittedRows; ++i) {
        if (!insertCall(database, QStringLiteral("committed %1").arg(i))) {
            return 3;
        }
    }
    database.transaction();
    for (int i = 0; i < UncommittedRows; ++i) {
        insertCall(database, QStringLiteral("uncommitted %1").arg(i));
    }
    std::abort();
}

void exec(QSqlDatabase& database, const QString& statement)
{
    QSqlQuery query(database);
    QVERIFY2(query.exec(statement), qPrintable(statement + u' ' + query.lastError().text()));
}

} // namespace

// Connecting the call history on SQLite: creation, upgrades of older files and what survives a crash.
class TestHistoryConnector final : public QObject {
    Q_OBJECT

private slots:
    void newHistoryIsCreatedInTheDefaultFolder()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("History/ConversationLog"));
        FakeBookDialogs dialogs;
        HistoryConnector history(folder, dialogs);
        const ConnectOutcome outcome = history.connect(QString(), true);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY(QFile::exists(folder + QStringLiteral("/history.mdb")));
        QCOMPARE(history.location(), folder);
        QVERIFY(dialogs.nothingShown());
        QCOMPARE(dialogs.waitTexts, QStringList{QStringLiteral("Connecting to call history...\nPlease wait.")});
        QSqlDatabase database = history.connection().database();
        QSqlQuery query(database);
        for (const char* table : {"Sms", "Komentarz", "NrInit"}) {
            QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID = 0").arg(QLatin1String(table))));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toInt(), 1);
        }
    }

    void questionsBeforeCreatingTheFile()
    {
        QTemporaryDir folder;
        FakeBookDialogs dialogs;
        HistoryConnector history(QString(), dialogs);
        dialogs.answers = {false};
        const ConnectOutcome outcome = history.connect(folder.path(), false);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.error, QStringLiteral("no file of call history in folder"));
        QCOMPARE(
            dialogs.questions,
            QStringList{
                QStringLiteral("Call history file has not been found in folder %1.\nCreate new?").arg(folder.path())});
        QVERIFY(!history.isConnected());
    }

    void oldHistoryIsUpgraded()
    {
        QTemporaryDir folder;
        QFile(folder.filePath(QStringLiteral("historia.db"))).open(QIODevice::WriteOnly);
        {
            BookConnection old;
            QVERIFY(old.open(folder.path(), HistoryConnector::fileName(), nullptr));
            QSqlDatabase database = old.database();
            const QString columns = QStringLiteral(
                "Typ_Historia SMALLINT, Data1_Historia DATE, Czas1_Historia TIME, Data2_Historia DATE, "
                "Czas2_Historia TIME, NrTel_Historia VARCHAR(20), Tluste_Historia BOOLEAN, Stracone_Historia "
                "SMALLINT");
            exec(database, QStringLiteral("CREATE TABLE History2 (ID_Historia %1, %2)")
                               .arg(SqlEngines::identityColumn(SqlEngine::Sqlite, QStringLiteral("Idx_ID")), columns));
            exec(database, QStringLiteral("CREATE INDEX Idx_Data ON History2 (Data1_Historia DESC, Czas1_Historia "
                                          "DESC)"));
            exec(database, QStringLiteral("CREATE TABLE History (ID_Historia INTEGER PRIMARY KEY, %1)").arg(columns));
            exec(database, QStringLiteral("INSERT INTO History2 (ID_Historia, Typ_Historia, NrTel_Historia) VALUES "
                                          "(3, 1, '100')"));
            exec(database, QStringLiteral("INSERT INTO History (ID_Historia, Typ_Historia, NrTel_Historia, "
                                          "Data1_Historia) VALUES (1, 2, '200', '2004-05-06')"));
        }
        FakeBookDialogs dialogs;
        HistoryConnector history(QString(), dialogs);
        const ConnectOutcome outcome = history.connect(folder.path(), true);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        // The first generation's file is mentioned only beside a new history file.
        QVERIFY2(dialogs.nothingShown(), qPrintable(dialogs.errors.join(u'\n') + dialogs.warnings.join(u'\n')));

        QSqlDatabase database = history.connection().database();
        QVERIFY(!SqlEngines::hasTable(database, QStringLiteral("History")));
        for (const char* column : {"SmsID", "ZlecenieID", "KomentID", "NrInitID", "JestNagranie_Historia",
                                   "Archiwum_Historia", "ErecId_Historia", "Reserved_Historia"}) {
            QVERIFY2(SqlEngines::hasColumn(database, QStringLiteral("History2"), QLatin1String(column)), column);
        }
        SchemaUpgrade schema(database);
        QCOMPARE(ColumnWidth::declared(schema, QStringLiteral("History2"), QStringLiteral("NrTel_Historia")),
                 BookSchema::NumberWidth);
        QSqlQuery query(database);
        QVERIFY(query.exec(QStringLiteral("SELECT ID_Historia, NrTel_Historia, Data1_Historia, SmsID, KomentID, "
                                          "NrInitID FROM History2 ORDER BY ID_Historia")));
        QStringList rows;
        while (query.next()) {
            rows.append(QStringLiteral("%1|%2|%3|%4%5%6")
                            .arg(query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                 query.value(3).toString(), query.value(4).toString(), query.value(5).toString()));
        }
        QCOMPARE(rows, QStringList({QStringLiteral("1|200|2004-05-06|000"), QStringLiteral("3|100||000")}));
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Idx_Data'")) &&
                query.next());
        QCOMPARE(query.value(0).toInt(), 1);
    }

    void firstGenerationHistoryIsReportedBesideANewFile()
    {
        QTemporaryDir folder;
        QFile(folder.filePath(QStringLiteral("historia.db"))).open(QIODevice::WriteOnly);
        FakeBookDialogs dialogs;
        HistoryConnector history(QString(), dialogs);
        QVERIFY(history.connect(folder.path(), true).ok);
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY(dialogs.warnings.first().contains(QStringLiteral("historia.db")));
    }

    void committedRowsSurviveACrash()
    {
        QTemporaryDir folder;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(CrashWriterArgument), folder.path()});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        FakeBookDialogs dialogs;
        HistoryConnector history(QString(), dialogs);
        QVERIFY(history.connect(folder.path(), true).ok);
        QSqlDatabase database = history.connection().database();
        QSqlQuery query(database);
        QVERIFY(query.exec(QStringLiteral("SELECT NrTel_Historia FROM History2 ORDER BY ID_Historia")));
        QStringList numbers;
        while (query.next()) {
            numbers.append(query.value(0).toString());
        }
        QCOMPARE(numbers.size(), CommittedRows);
        QCOMPARE(numbers.first(), QStringLiteral("committed 0"));
        QCOMPARE(numbers.last(), QStringLiteral("committed %1").arg(CommittedRows - 1));
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], CrashWriterArgument) == 0) {
        QCoreApplication application(argc, argv);
        return writeAndCrash(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication application(argc, argv);
    TestHistoryConnector test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "TestHistoryConnector.moc"
