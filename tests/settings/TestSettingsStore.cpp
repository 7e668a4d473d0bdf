#include "settings/IniFile.h"
#include "settings/SecretScrambler.h"
#include "settings/SettingsError.h"
#include "settings/SettingsStore.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// An installation of the client in a folder of its own, with XDG folders of its own.
class Installation {
public:
    explicit Installation(const QString& executable = QStringLiteral("opt/Tervo/tervo"))
        : m_executable(m_root.filePath(executable))
    {
        QDir().mkpath(QFileInfo(m_executable).absolutePath());
    }

    SettingsPaths paths() const
    {
        return SettingsPaths(m_executable, UserFolders{m_root.filePath(QStringLiteral("config")),
                                                       m_root.filePath(QStringLiteral("data")),
                                                       m_root.filePath(QStringLiteral("state"))});
    }

    QString root() const { return m_root.path(); }

    // Loads the settings after writing the given ini text into the per-user file.
    std::unique_ptr<SettingsStore> loadWith(const QByteArray& ini) const
    {
        writeFile(paths().settingsFile(), ini);
        return loaded();
    }

    std::unique_ptr<SettingsStore> loaded() const
    {
        auto store = std::make_unique<SettingsStore>(paths());
        store->load();
        return store;
    }

private:
    QTemporaryDir m_root;
    QString m_executable;
};

} // namespace

class TestSettingsStore final : public QObject {
    Q_OBJECT

private slots:
    void firstStartHasDefaultsAndFirstSaveCreatesTheFolder()
    {
        const Installation installation;
        const auto store = installation.loaded();
        const SettingsRecord& r = store->record();
        QVERIFY(r.Loaded);
        QVERIFY(store->loadedFrom().isEmpty());
        QCOMPARE(r.Siec.Serwer, QStringLiteral("Serwer"));
        QCOMPARE(r.Siec.Port, 5524);
        QVERIFY(r.Siec.Szukaj);
        QCOMPARE(r.Sms.Translacja, QStringLiteral("000"));
        QCOMPARE(r.Sms.SmsKier, QStringLiteral("48"));
        QCOMPARE(r.Audio.ZrodloAudio, 1);
        QCOMPARE(r.Audio.KompresjaDopuszczalna, -1);
        QCOMPARE(r.Historia.UsunPo, 1000);
        QCOMPARE(r.Glowne.MaleX, -1);
        QCOMPARE(r.Ksiazka.SzukajNazw, 2);
        QCOMPARE(r.Ksiazka.KsPrywatna, installation.paths().dataFolder() + QStringLiteral("PhoneBook"));
        QCOMPARE(r.Historia.Katalog, installation.paths().dataFolder() + QStringLiteral("History/ConversationLog"));
        QVERIFY(!r.DiagnosticCopy);
        QVERIFY(!QFile::exists(installation.paths().settingsFile()));

        store->save();
        const QString file = installation.paths().settingsFile();
        QVERIFY(QFile::exists(file));
        QVERIFY(isOwnerOnly(file));
        const QByteArray text = readFile(file);
        QVERIFY(text.contains("[Ogolne]\nAutoBlokada=0\n"));
        QVERIFY(text.contains("Serwer=Serwer\n"));
        QVERIFY(text.contains("Translacja=0\n"));
        QVERIFY(text.contains("GATE99=\nPIN99=\n"));
        QVERIFY(text.contains("Stan=0\nPokStany=0\n"));
        QVERIFY(text.contains("WinMixer=0\n"));
    }

    void fileFromAnOlderLocationMovesToThePerUserFolder_data()
    {
        QTest::addColumn<bool>("besideExecutable");
        QTest::newRow("shared TelefonTervo folder") << false;
        QTest::newRow("beside the executable") << true;
    }

    void fileFromAnOlderLocationMovesToThePerUserFolder()
    {
        QFETCH(bool, besideExecutable);
        const Installation installation(QStringLiteral("opt/Tervo/Tervo.bin"));
        const SettingsPaths paths = installation.paths();
        const QString old = besideExecutable ? paths.besideExecutableSettingsFile() : paths.sharedFolderSettingsFile();
        QCOMPARE(QFileInfo(old).fileName(),
                 besideExecutable ? QStringLiteral("Tervo.ini") : QStringLiteral("tervo.ini"));
        QVERIFY(writeFile(old, "[Siec]\r\nSerwer=pbx.example\r\nTelNr=21\r\n[Extra]\r\nKept=yes\r\n"));

        const auto store = installation.loaded();
        QCOMPARE(store->record().Siec.Serwer, QStringLiteral("pbx.example"));
        QCOMPARE(store->loadedFrom(), old);
        QVERIFY(!QFile::exists(old));
        QVERIFY(QFile::exists(old + QStringLiteral(".old")));
        const QByteArray migrated = readFile(paths.settingsFile());
        QVERIFY(migrated.contains("Serwer=pbx.example"));
        QVERIFY2(migrated.contains("Kept=yes"), "keys of the old file that the program does not know are kept");

        const auto next = installation.loaded();
        QCOMPARE(next->loadedFrom(), paths.settingsFile());
        QCOMPARE(next->record().Siec.TelNr, QStringLiteral("21"));
    }

    void perUserFileWinsOverOlderLocations()
    {
        const Installation installation;
        QVERIFY(writeFile(installation.paths().sharedFolderSettingsFile(), "[Siec]\nSerwer=old\n"));
        const auto store = installation.loadWith("[Siec]\nSerwer=new\n");
        QCOMPARE(store->record().Siec.Serwer, QStringLiteral("new"));
        QVERIFY(QFile::exists(installation.paths().sharedFolderSettingsFile()));
    }

    void installationsKeepSeparateSettingsFolders()
    {
        const QString first = SettingsPaths::installationFolderName(QStringLiteral("/opt/tervo/bin/tervo"));
        const QString second = SettingsPaths::installationFolderName(QStringLiteral("/home/ann/tervo/tervo"));
        QVERIFY(first != second);
        QCOMPARE(SettingsPaths::installationFolderName(QStringLiteral("/OPT/Tervo/BIN/tervo")), first);
        QCOMPARE(SettingsPaths::installationFolderName(QStringLiteral("/opt/tervo/bin:/tervo:")), first);
        QVERIFY(SettingsPaths::installationFolderName(QString()).isEmpty());

        const Installation a(QStringLiteral("a/tervo"));
        const Installation b(QStringLiteral("b/tervo"));
        QVERIFY(a.paths().settingsFolder() != b.paths().settingsFolder());
    }

    void folderNameIsTheDigestWordsWithoutLeadingZeros_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        // SHA-1 of "abc": A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D.
        QTest::newRow("digest words") << QStringLiteral("ABC")
                                      << QStringLiteral("A9993E364706816ABA3E25717850C26C9CD0D89D");
        // The last word of this digest is 00008967.
        QTest::newRow("leading zeros") << QStringLiteral("/opt/tervo1259/tervo")
                                       << QStringLiteral("7C3C03CE12DCD94D8CCB28547A68B7558967");
    }

    void folderNameIsTheDigestWordsWithoutLeadingZeros()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(SettingsPaths::installationFolderName(path), name);
    }

    void derivedValuesAreFixedAtLoad()
    {
        const Installation installation;
        const auto store = installation.loadWith("[Sms]\nTranslacja=5\n"
                                                 "[Audio]\nGlosnosc=150\nPoziomNagrania=-1\nWinMixer=1\n"
                                                 "[Historia]\nKatalog=\n");
        SettingsRecord& r = store->record();
        QCOMPARE(r.Sms.Translacja, QStringLiteral("005"));
        QCOMPARE(r.Audio.Glosnosc, 100);
        QCOMPARE(r.Audio.PoziomNagrania, 100);
        QVERIFY(!r.Audio.WinMixer);
        QCOMPARE(r.Historia.Katalog, installation.paths().dataFolder() + QStringLiteral("History/ConversationLog"));

        store->save();
        QVERIFY(readFile(installation.paths().settingsFile()).contains("Translacja=5\n"));

        r.Sms.Translacja = QStringLiteral("0123");
        store->save();
        QVERIFY(readFile(installation.paths().settingsFile()).contains("Translacja=123\n"));
        QCOMPARE(installation.loaded()->record().Sms.Translacja, QStringLiteral("123"));
    }

    void audioLevelsInsideTheRangeAreKept()
    {
        const Installation installation;
        const auto store = installation.loadWith("[Audio]\nGlosnosc=0\nPoziomNagrania=100\n");
        QCOMPARE(store->record().Audio.Glosnosc, 0);
        QCOMPARE(store->record().Audio.PoziomNagrania, 100);
    }

    void pinsAreScrambledAndKeepFourCharacters()
    {
        const Installation installation;
        const auto store = installation.loaded();
        SettingsRecord& r = store->record();
        r.Siec.ZapiszKlucz = true;
        r.Siec.Klucz = QStringLiteral("123456");
        r.Konta.Klucz = QStringLiteral("77");
        r.Gate.Pins[41] = QStringLiteral("9999");
        store->save();

        const QByteArray text = readFile(installation.paths().settingsFile());
        QVERIFY(!text.contains("1234"));
        QVERIFY(!text.contains("9999"));

        const auto next = installation.loaded();
        QCOMPARE(next->record().Siec.Klucz, QStringLiteral("1234"));
        QCOMPARE(next->record().WorkingPin, QStringLiteral("1234"));
        QCOMPARE(next->record().Konta.Klucz, QStringLiteral("77__"));
        QCOMPARE(next->record().Gate.Pins[41], QStringLiteral("9999"));
        QCOMPARE(next->record().Gate.Pins[40], QString());
    }

    void extensionPinIsWrittenOnlyWithASavePinOption_data()
    {
        QTest::addColumn<bool>("generalOption");
        QTest::addColumn<bool>("networkOption");
        QTest::addColumn<bool>("kept");
        QTest::newRow("neither") << false << false << false;
        QTest::newRow("Ogolne") << true << false << true;
        QTest::newRow("Siec") << false << true << true;
    }

    void extensionPinIsWrittenOnlyWithASavePinOption()
    {
        QFETCH(bool, generalOption);
        QFETCH(bool, networkOption);
        QFETCH(bool, kept);
        const Installation installation;
        const auto store = installation.loaded();
        store->record().Ogolne.ZapiszKlucz = generalOption;
        store->record().Siec.ZapiszKlucz = networkOption;
        store->record().Siec.Klucz = QStringLiteral("4321");
        store->record().Sms.Klucz = QStringLiteral("1111");
        store->save();

        const auto next = installation.loaded();
        QCOMPARE(next->record().Siec.Klucz, kept ? QStringLiteral("4321") : QString());
        QCOMPARE(next->record().Sms.Klucz, QStringLiteral("1111"));
    }

    void malformedValuesTakeTheirDefaults()
    {
        const Installation installation;
        const auto store = installation.loadWith("[Siec]\nPort=55x4\nSzukaj=yes\nPokazBladServ=\n"
                                                 "[Historia]\nUsunPo=99999999999\n"
                                                 "[Sms]\nSmsEventWave=300\nSmsRcFile=-1\n"
                                                 "[Ogolne]\nKlawiszWybor= 7 \nAutoBlokada=2\n"
                                                 "[Konta]\nKlucz=not-a-scrambled-pin\n");
        const SettingsRecord& r = store->record();
        QCOMPARE(r.Siec.Port, 5524);
        QVERIFY(r.Siec.Szukaj);
        QVERIFY(r.Siec.PokazBladServ);
        QCOMPARE(r.Historia.UsunPo, 1000);
        QCOMPARE(r.Sms.SmsEventWave, 0);
        QCOMPARE(r.Sms.SmsRcFile, 0);
        QCOMPARE(r.Ogolne.KlawiszWybor, 7);
        QVERIFY(r.Ogolne.AutoBlokada);
        QCOMPARE(r.Konta.Klucz, QString());
    }

    void windows1250FileWithPolishLetters()
    {
        const Installation installation;
        // "Łódź, ul. Żółta" and "Zażółć gęślą jaźń" in Windows-1250, with CR LF line ends.
        const QByteArray ini = "[Ogolne]\r\nInfo=\xA3\xF3\x64\x9F, ul. \xAF\xF3\xB3ta\r\n"
                               "[Przeniesienie]\r\nNaNr=Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1\r\n";
        const auto store = installation.loadWith(ini);
        QCOMPARE(store->record().Ogolne.Info, QStringLiteral("Łódź, ul. Żółta"));
        QCOMPARE(store->record().Przeniesienie.NaNr, QStringLiteral("Zażółć gęślą jaźń"));

        store->save();
        const QByteArray written = readFile(installation.paths().settingsFile());
        QVERIFY(written.contains(QStringLiteral("Info=Łódź, ul. Żółta\n").toUtf8()));
        QCOMPARE(installation.loaded()->record().Przeniesienie.NaNr, QStringLiteral("Zażółć gęślą jaźń"));
    }

    void valueWithCommasQuotesAndSemicolonsIsVerbatim()
    {
        const Installation installation;
        const QString value = QStringLiteral("\"Sales\", floor 2; room=4 ");
        const auto store = installation.loadWith("[Ogolne]\nInfo=" + value.toUtf8() + "\n");
        QCOMPARE(store->record().Ogolne.Info, value);
        store->save();
        QCOMPARE(installation.loaded()->record().Ogolne.Info, value);
    }

    void lineBreakInAValueCannotAddKeys()
    {
        const Installation installation;
        const auto store = installation.loaded();
        store->record().Ogolne.Info = QStringLiteral("x\n[Siec]\nSerwer=evil");
        store->save();
        const auto next = installation.loaded();
        QCOMPARE(next->record().Siec.Serwer, QStringLiteral("Serwer"));
        QCOMPARE(next->record().Ogolne.Info, QStringLiteral("x [Siec] Serwer=evil"));
    }

    void saveFailsWhenTheFolderCannotBeCreated()
    {
        const Installation installation;
        const auto store = installation.loaded();
        // A file where the vendor folder should be makes the folder impossible to create, even for root.
        QVERIFY(QDir(installation.root() + QStringLiteral("/config")).removeRecursively());
        QVERIFY(writeFile(installation.root() + QStringLiteral("/config/Norvel"), "in the way"));
        try {
            store->save();
            QFAIL("save reported success");
        } catch (const SettingsError& error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot create directory."));
        }
    }

    void unreadableFileIsNeverOverwritten()
    {
        const Installation installation;
        // A folder in place of the file cannot be read as one.
        QDir().mkpath(installation.paths().settingsFile());
        const auto store = installation.loaded();
        QVERIFY(!store->record().Loaded);
        QCOMPARE(store->record().Siec.Port, 5524);
        store->save();
        QVERIFY(QFileInfo(installation.paths().settingsFile()).isDir());
    }

    void recordedOptionsSurviveASaveAndALoad()
    {
        const Installation installation;
        const auto store = installation.loaded();
        SettingsRecord& r = store->record();
        r.Siec.Serwer = QStringLiteral("10.1.2.3");
        r.Siec.Port = 6000;
        r.Sms.SmsEventWave = 200;
        r.Gate.Comments[98] = QStringLiteral("Office gate");
        r.Historia.ColNrOn = false;
        r.Ksiazka.Tryb = 1;
        r.Audio.WinMixer = true;
        store->save();
        QVERIFY(readFile(installation.paths().settingsFile()).contains("Stan=1\n"));
        QVERIFY(readFile(installation.paths().settingsFile()).contains("WinMixer=1\n"));

        const auto next = installation.loaded();
        QCOMPARE(next->record().Siec.Serwer, QStringLiteral("10.1.2.3"));
        QCOMPARE(next->record().Siec.Port, 6000);
        QCOMPARE(next->record().Sms.SmsEventWave, 200);
        QCOMPARE(next->record().Gate.Comments[98], QStringLiteral("Office gate"));
        QVERIFY(!next->record().Historia.ColNrOn);
        QCOMPARE(next->record().Ksiazka.Tryb, 1);
        QVERIFY(!next->record().Audio.WinMixer);
    }

    void diagnosticCopyFollowsTheMarkerFile()
    {
        const Installation installation;
        QVERIFY(writeFile(installation.paths().diagnosticCopyMarker(), ""));
        QVERIFY(installation.loaded()->record().DiagnosticCopy);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "TestSettingsStore.moc"
