#include "phone/RedialList.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QStringList counted(const RedialList& list)
{
    return list.lines().first(list.count());
}

} // namespace

class TestRedialList final : public QObject {
    Q_OBJECT

private slots:
    void addPutsTheNumberInFrontOnce()
    {
        RedialList list(5);
        QCOMPARE(list.lines(), QStringList(5));
        list.add(QStringLiteral("123"));
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.lines().at(0), QStringLiteral("123"));

        list.add(QStringLiteral("456"));
        list.add(QStringLiteral("123"));
        QCOMPARE(counted(list), (QStringList{u"123"_s, u"456"_s}));
        QCOMPARE(list.lines().size(), 5);
        QCOMPARE(list.cursor(), -1);
    }

    void addReplacesTheMarkedForm()
    {
        RedialList list(5);
        for (const QString& number : {u"789"_s, u"/123"_s, u"456"_s, u"111"_s}) {
            list.add(number);
        }
        QCOMPARE(list.find(u"123"_s), 3);
        QCOMPARE(list.find(u"12"_s), 0);
        list.add(u"123"_s);
        QCOMPARE(counted(list), (QStringList{u"123"_s, u"111"_s, u"456"_s, u"789"_s}));
    }

    void keepsTheNewestUpToCapacity()
    {
        RedialList list(5);
        for (int number = 1; number <= 6; ++number) {
            list.add(QString::number(number));
        }
        QCOMPARE(list.count(), 5);
        QCOMPARE(list.lines(), (QStringList{u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s}));
        QCOMPARE(list.find(u"1"_s), 0);
    }

    void browsesRoundTheList()
    {
        RedialList empty(5);
        QCOMPARE(empty.next(), std::nullopt);
        QCOMPARE(empty.prev(), std::nullopt);

        RedialList list(5);
        for (const QString& number : {u"1"_s, u"2"_s, u"3"_s}) {
            list.add(number);
        }
        QCOMPARE(list.next(), u"3"_s);
        QCOMPARE(list.next(), u"2"_s);
        QCOMPARE(list.prev(), u"3"_s);
        QCOMPARE(list.prev(), u"1"_s); // wraps to the oldest
        QCOMPARE(list.next(), u"3"_s); // and back round to the newest
        list.resetCursor();
        QCOMPARE(list.prev(), u"1"_s);
    }

    void loadCreatesAMissingFileAndSavesCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sub/redial.dat"_s);
        RedialList list(5);
        QVERIFY(list.load(path));
        QVERIFY(QFile::exists(path));
        QCOMPARE(list.count(), 0);
        QVERIFY(list.save(path));
        QCOMPARE(readFile(path), QByteArray());

        list.add(u"600123456"_s);
        list.add(u"/#31"_s);
        QVERIFY(list.save(path));
        QCOMPARE(readFile(path), QByteArray("/#31\r\n600123456\r\n"));

        RedialList again(5);
        QVERIFY(again.load(path));
        QCOMPARE(again.lines(), list.lines());
        QCOMPARE(again.count(), 2);
    }

    void readsLfAndGuardsAgainstADamagedFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"redial.dat"_s);
        QVERIFY(writeFile(path, "12\n34\r\n" + QByteArray(100, '5') +
                                    "\r\n\xE9"
                                    "7"));
        RedialList list(5);
        QVERIFY(list.load(path));
        QCOMPARE(counted(list), (QStringList{u"12"_s, u"34"_s, QString(80, u'5'), u"\u00e97"_s}));

        QByteArray many;
        for (int i = 0; i < 1200; ++i) {
            many += QByteArray::number(i) + "\r\n";
        }
        QVERIFY(writeFile(path, many));
        QVERIFY(list.load(path));
        QCOMPARE(list.count(), RedialList::MaxFileLines);
        QCOMPARE(list.lines().last(), u"999"_s);
    }

    void keepsALongerFileWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"redial.dat"_s);
        QVERIFY(writeFile(path, "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"));
        RedialList list(5);
        QVERIFY(list.load(path));
        QCOMPARE(list.count(), 7);
        list.resetCursor();
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(list.next(), QString::number(i));
        }
        QCOMPARE(list.next(), u"0"_s);

        list.add(u"9"_s);
        QCOMPARE(list.count(), 7);
        QCOMPARE(list.lines(), (QStringList{u"9"_s, u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"5"_s, u"6"_s}));
        list.add(u"6"_s); // found beyond the capacity: it moves to the front like any other
        QCOMPARE(list.lines(), (QStringList{u"6"_s, u"9"_s, u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"5"_s}));
        QVERIFY(list.save(path));
        QCOMPARE(readFile(path), QByteArray("6\r\n9\r\n0\r\n1\r\n2\r\n3\r\n5\r\n"));
    }

    void anUnreadableFileIsNeverOverwritten()
    {
        QTemporaryDir dir;
        const QString other = dir.filePath(u"other.dat"_s);
        RedialList list(5);
        QVERIFY(!list.load(dir.path())); // a folder where the file should be
        list.add(u"123"_s);
        QVERIFY(!list.save(other));
        QVERIFY(!QFile::exists(other));

        if (geteuid() == 0) {
            QSKIP("root reads a file without read permission");
        }
        const QString path = dir.filePath(u"redial.dat"_s);
        QVERIFY(writeFile(path, "555\r\n"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        QVERIFY(!list.load(path));
        QCOMPARE(list.count(), 0);
        list.add(u"123"_s);
        QVERIFY(!list.save(path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(readFile(path), QByteArray("555\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestRedialList)
#include "TestRedialList.moc"
