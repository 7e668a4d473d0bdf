#include "FakeBookDialogs.h"
#include "bookseed/BookSeeder.h"
#include "bookseed/SeedOptions.h"
#include "settings/SettingsPaths.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using bookseed::NamedNumber;
using bookseed::SeedOptions;

namespace {

// The rows of statement in the SQLite book of folder, each row's columns joined with "|".
QStringList rows(const QString& folder, const QString& statement)
{
    QStringList result;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        database.setDatabaseName(folder + QStringLiteral("/book.mdb"));
        if (!database.open()) {
            return {QStringLiteral("cannot open")};
        }
        QSqlQuery query(database);
        if (!query.exec(statement)) {
            return {QStringLiteral("cannot run")};
        }
        while (query.next()) {
            QStringList columns;
            for (int i = 0; i < query.record().count(); ++i) {
                columns << query.value(i).toString();
            }
            result << columns.join(u'|');
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
}

bookseed::BookSeeder::Result seed(const QString& folder, int generated, const QList<NamedNumber>& named)
{
    FakeBookDialogs dialogs;
    return bookseed::BookSeeder(dialogs).seed({folder, generated, named});
}

} // namespace

// The seeding tool: its command line, the contacts it writes, and that a failed run leaves the book as it was.
class TestBookSeed final : public QObject {
    Q_OBJECT

private slots:
    void readsFolderCountAndNamedNumbers()
    {
        const SeedOptions::Parsed parsed = SeedOptions::parse(
            {QStringLiteral("/tmp/book"), QStringLiteral("Jan Kowalski=600123456"), QStringLiteral("-l=en"),
             QStringLiteral("--generated"), QStringLiteral("12"), QStringLiteral("Anna Nowak = 48581234567")});
        QCOMPARE(parsed.outcome, SeedOptions::Outcome::Seed);
        QCOMPARE(parsed.request.folder, QStringLiteral("/tmp/book"));
        QCOMPARE(parsed.request.generated, 12);
        const QList<NamedNumber> expected{{QStringLiteral("Jan Kowalski"), QStringLiteral("600123456")},
                                          {QStringLiteral("Anna Nowak"), QStringLiteral("48581234567")}};
        QCOMPARE(parsed.request.named, expected);

        const SeedOptions::Parsed folderName =
            SeedOptions::parse({QStringLiteral("--print-folder-name"), QStringLiteral("/opt/tervo")});
        QCOMPARE(folderName.outcome, SeedOptions::Outcome::PrintFolderName);
        QCOMPARE(folderName.text, QStringLiteral("/opt/tervo"));
    }

    void refusesBadArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no folder") << QStringList{QStringLiteral("--generated"), QStringLiteral("3")};
        QTest::newRow("count missing") << QStringList{QStringLiteral("f"), QStringLiteral("--generated")};
        QTest::newRow("count negative") << QStringList{QStringLiteral("f"), QStringLiteral("--generated"),
                                                       QStringLiteral("-1")};
        QTest::newRow("count too large") << QStringList{QStringLiteral("f"), QStringLiteral("--generated"),
                                                        QStringLiteral("100000000")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("f"), QStringLiteral("--fast")};
        QTest::newRow("no equals sign") << QStringList{QStringLiteral("f"), QStringLiteral("Jan")};
        QTest::newRow("empty name") << QStringList{QStringLiteral("f"), QStringLiteral("=600")};
        QTest::newRow("empty number") << QStringList{QStringLiteral("f"), QStringLiteral("Jan=")};
        QTest::newRow("number too long") << QStringList{QStringLiteral("f"),
                                                        QStringLiteral("Jan=%1").arg(QString(27, u'1'))};
        QTest::newRow("folder name without path") << QStringList{QStringLiteral("--print-folder-name")};
    }

    void refusesBadArguments()
    {
        QFETCH(QStringList, arguments);
        const SeedOptions::Parsed parsed = SeedOptions::parse(arguments);
        QCOMPARE(parsed.outcome, SeedOptions::Outcome::Error);
        QVERIFY(!parsed.text.isEmpty());
    }

    void createsTheBookWithNamedAndGeneratedContacts()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("data/PhoneBook"));
        const auto result = seed(folder, 1000, {{QStringLiteral("Jan Kowalski"), QStringLiteral("600123456")}});
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.added, 1001);

        QCOMPARE(rows(folder, QStringLiteral("SELECT Nazwa FROM Groups WHERE ID = 0")),
                 QStringList{QStringLiteral("Others")});
        QCOMPARE(rows(folder, QStringLiteral("SELECT COUNT(*) FROM Info")), QStringList{QStringLiteral("1")});
        const QStringList contacts =
            rows(folder, QStringLiteral("SELECT Nazwa, Nr1, Nr2, Nr3, Nr4 IS NULL, GroupID FROM Book2 ORDER BY ID"));
        QCOMPARE(contacts.size(), 1001);
        QCOMPARE(contacts[0], QStringLiteral("Jan Kowalski|600123456|||1|0"));
        QCOMPARE(contacts[1], QStringLiteral("Contact 000001|500000001|600000001|700000001|1|0"));
        QCOMPARE(contacts[1000], QStringLiteral("Contact 001000|500001000|600001000|700001000|1|0"));
        QCOMPARE(
            rows(folder, QStringLiteral("SELECT COUNT(*) FROM (SELECT Nr1 FROM Book2 UNION SELECT Nr2 FROM Book2 "
                                        "WHERE Nr2 IS NOT NULL UNION SELECT Nr3 FROM Book2 WHERE Nr3 IS NOT NULL)")),
            QStringList{QStringLiteral("3001")});

        // A second run adds to the book that is there.
        QVERIFY(seed(folder, 0, {{QStringLiteral("Anna Nowak"), QStringLiteral("48581234567")}}).ok);
        QCOMPARE(rows(folder, QStringLiteral("SELECT COUNT(*) FROM Book2")), QStringList{QStringLiteral("1002")});
    }

    void aFailedInsertLeavesNothingBehind()
    {
        QTemporaryDir root;
        const QString folder = root.path();
        QVERIFY(seed(folder, 2, {}).ok);
        QVERIFY(rows(folder, QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Book2 WHEN NEW.Nazwa = 'Refused' "
                                            "BEGIN SELECT RAISE(ABORT, 'refused'); END"))
                    .isEmpty());

        const auto result =
            seed(folder, 50,
                 {{QStringLiteral("Kept"), QStringLiteral("1")}, {QStringLiteral("Refused"), QStringLiteral("2")}});
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(u"Refused"), qPrintable(result.error));
        QCOMPARE(rows(folder, QStringLiteral("SELECT COUNT(*) FROM Book2")), QStringList{QStringLiteral("2")});
    }

    void programReportsThroughOutputAndExitCode()
    {
        const QString program = qEnvironmentVariable("TERVO_BINARY_DIR") + QStringLiteral("/bin/tervo-bookseed");
        QTemporaryDir root;
        const auto run = [&program](const QStringList& arguments, int expectedExit) {
            QProcess process;
            process.start(program, arguments);
            const bool finished = process.waitForFinished(30000);
            const QString output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
            return finished && process.exitCode() == expectedExit
                       ? output
                       : QStringLiteral("exit %1: %2").arg(process.exitCode()).arg(output);
        };

        QCOMPARE(run({QStringLiteral("--print-folder-name"), QStringLiteral("/opt/Tervo/tervo")}, 0),
                 SettingsPaths::installationFolderName(QStringLiteral("/opt/Tervo/tervo")) + u'\n');
        QVERIFY(run({root.path(), QStringLiteral("--generated"), QStringLiteral("3"), QStringLiteral("Jan=600")}, 0)
                    .startsWith(u"Added 4 contacts"));
        QVERIFY(run({root.path(), QStringLiteral("Jan")}, 2).contains(u"NAME=NUMBER"));
        // A file that is no database cannot be opened; the program says so and fails.
        QTemporaryDir broken;
        QFile file(broken.filePath(QStringLiteral("book.mdb")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) > 0);
        file.close();
        QVERIFY(run({broken.path(), QStringLiteral("Jan=600")}, 1).contains(u"nothing was added"));
    }
};

QTEST_GUILESS_MAIN(TestBookSeed)
#include "TestBookSeed.moc"
