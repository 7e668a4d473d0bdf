// The rules of the configuration dialog without its window: the binding table, the checks that correct or refuse
// an entry, the server address parts, and the order in which an accepted entry reaches the rest of the program.
#include "settings/ConfigApplication.h"
#include "settings/ConfigBindings.h"
#include "settings/ConfigChecks.h"
#include "settings/ServerAddress.h"
#include "settings/SettingsSchema.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

SettingsRecord defaults()
{
    SettingsRecord record;
    SettingsSchema(QStringLiteral("/data/")).applyDefaults(record);
    return record;
}

// A file system of named folders and files, nothing of it real.
struct FakeFiles {
    QSet<QString> folders;
    QSet<QString> files;
    QSet<QString> uncreatable;
    QStringList made;

    ConfigChecks::Environment environment(bool twoRingsOnly = false)
    {
        ConfigChecks::Environment environment;
        environment.twoRingForwardingOnly = twoRingsOnly;
        environment.defaultRecordingsFolder = QStringLiteral("/data/History/VoiceNotes");
        environment.folderUsable = [this](const QString& folder) {
            return folders.contains(folder);
        };
        environment.makeFolder = [this](const QString& folder) {
            if (uncreatable.contains(folder)) {
                return false;
            }
            made.append(folder);
            folders.insert(folder);
            return true;
        };
        environment.fileExists = [this](const QString& file) {
            return files.contains(file);
        };
        return environment;
    }
};

SettingsRecord completeSms(SettingsRecord record)
{
    record.Sms.SmsOn = true;
    record.Sms.Translacja = QStringLiteral("007");
    record.Sms.Klucz = QStringLiteral("1234");
    record.Sms.SmsKier = QStringLiteral("48");
    return record;
}

} // namespace

class TestConfigRules final : public QObject {
    Q_OBJECT

private slots:
    // Every binding writes what it reads, each control is named once, and a value written to one binding changes
    // no other option (two controls on one option are the one exception: the extension PIN).
    void bindingsRoundTripTheirOwnOptionOnly()
    {
        QSet<QString> names;
        for (const ConfigBinding& binding : configBindings()) {
            QVERIFY2(!names.contains(binding.control), qPrintable(binding.control));
            names.insert(binding.control);

            const SettingsRecord original = defaults();
            SettingsRecord changed = original;
            const QVariant value = binding.read(original);
            QVariant other;
            switch (binding.kind) {
            case ConfigBinding::Kind::Check:
                other = !value.toBool();
                break;
            case ConfigBinding::Kind::Text:
                other = value.toString() + QStringLiteral("x");
                break;
            case ConfigBinding::Kind::Number:
                other = value.toInt() + 1;
                break;
            case ConfigBinding::Kind::Choice:
                other = value.toInt() == 0 ? 1 : 0;
                break;
            }
            binding.write(changed, other);
            QCOMPARE(binding.read(changed), other);
            int differing = 0;
            for (const ConfigBinding& each : configBindings()) {
                differing += each.read(changed) != each.read(original) ? 1 : 0;
            }
            const bool sharedPin = binding.control == u"CustomKeyEdit" || binding.control == u"SecureNrEdit";
            QVERIFY2(differing == (sharedPin ? 2 : 1), qPrintable(binding.control));
        }
    }

    // The gate choice keeps the three-digit form of the record; an id the list cannot show, or no number at all,
    // comes back unchanged rather than as "not set".
    void gateChoiceMapsTheStoredId()
    {
        QCOMPARE(gateChoice(QStringLiteral("007")), 7);
        QCOMPARE(gateChoice(QStringLiteral("064")), 64);
        QCOMPARE(gateChoice(QStringLiteral("000")), 0);
        QCOMPARE(gateChoice(QStringLiteral("070")), 70);
        QCOMPARE(gateChoice(QStringLiteral("x")), -1);
        SettingsRecord record = defaults();
        const auto& gate = *std::find_if(configBindings().begin(), configBindings().end(),
                                         [](const ConfigBinding& b) { return b.control == u"SMSTranslationCBox"; });
        gate.write(record, 5);
        QCOMPARE(record.Sms.Translacja, QStringLiteral("005"));
        gate.write(record, 70);
        QCOMPARE(record.Sms.Translacja, QStringLiteral("070"));
        record.Sms.Translacja = QStringLiteral("x");
        gate.write(record, -1);
        QCOMPARE(record.Sms.Translacja, QStringLiteral("x"));
    }

    void fixedValuesAndTheTwoRingForwarding()
    {
        FakeFiles files;
        SettingsRecord record = defaults();
        record.Siec.Port = 6000;
        record.Przeniesienie.PrzenDo = 3;
        record.Przeniesienie.SposPrzen = 0;
        record.Przeniesienie.SposWywol = 2;
        SettingsRecord other = record;

        ConfigChecks::Outcome outcome = ConfigChecks::check(record, files.environment(false));
        QVERIFY(outcome.accepted);
        QVERIFY(outcome.messages.isEmpty());
        QCOMPARE(record.Siec.Port, 5524);
        QCOMPARE(record.Przeniesienie.PrzenDo, 0);
        QCOMPARE(record.Przeniesienie.SposPrzen, 0);

        outcome = ConfigChecks::check(other, files.environment(true));
        QVERIFY(outcome.accepted);
        QCOMPARE(outcome.messages,
                 QStringList{QStringLiteral(
                     "The Vexa PABX can forward calls only if they weren't picked after two ringings.")});
        QCOMPARE(other.Przeniesienie.SposPrzen, 1);
        QCOMPARE(other.Przeniesienie.IlDzwonk, 2);
        QCOMPARE(other.Przeniesienie.SposWywol, 0);
        // Already what the exchange can do: nothing to say.
        QVERIFY(ConfigChecks::check(other, files.environment(true)).messages.isEmpty());
    }

    void recordingsFolderIsMadeUsable()
    {
        FakeFiles files;
        SettingsRecord record = defaults();
        record.Audio.NagrywanieWlaczone = true;

        // Empty: the default folder, made without a word.
        ConfigChecks::Outcome outcome = ConfigChecks::check(record, files.environment());
        QVERIFY(outcome.accepted && outcome.messages.isEmpty());
        QCOMPARE(record.Audio.Katalog, QStringLiteral("/data/History/VoiceNotes"));
        QCOMPARE(files.made, QStringList{QStringLiteral("/data/History/VoiceNotes")});

        // A relative path: the default with the warning.
        record.Audio.Katalog = QStringLiteral("notes");
        outcome = ConfigChecks::check(record, files.environment());
        QVERIFY(outcome.accepted);
        QCOMPARE(outcome.messages,
                 QStringList{QStringLiteral("Wrong access path of call files.\n Default path will be restored.")});
        QCOMPARE(record.Audio.Katalog, QStringLiteral("/data/History/VoiceNotes"));

        // A missing folder is created; one that cannot be refuses the entry and keeps the record's value.
        record.Audio.Katalog = QStringLiteral("/rec/new");
        QVERIFY(ConfigChecks::check(record, files.environment()).accepted);
        QCOMPARE(record.Audio.Katalog, QStringLiteral("/rec/new"));
        files.uncreatable.insert(QStringLiteral("/rec/denied"));
        record.Audio.Katalog = QStringLiteral("/rec/denied");
        outcome = ConfigChecks::check(record, files.environment());
        QVERIFY(!outcome.accepted);
        QCOMPARE(outcome.messages, QStringList{QStringLiteral("Folder /rec/denied cannot be created.")});

        // Recording off: the folder is not looked at.
        record.Audio.NagrywanieWlaczone = false;
        QVERIFY(ConfigChecks::check(record, files.environment()).accepted);
    }

    void incompleteSmsIsRefusedWithEveryMissingItem()
    {
        FakeFiles files;
        SettingsRecord record = completeSms(defaults());
        QVERIFY(ConfigChecks::check(record, files.environment()).accepted);

        record.Sms.Klucz.clear();
        ConfigChecks::Outcome outcome = ConfigChecks::check(record, files.environment());
        QVERIFY(!outcome.accepted);
        QCOMPARE(outcome.messages, (QStringList{QStringLiteral("Short message service configuration is invalid."),
                                                QStringLiteral("SMS pin cannot be empty!")}));

        record.Sms.Translacja = QStringLiteral("000");
        record.Sms.SmsKier = QStringLiteral(" ");
        outcome = ConfigChecks::check(record, files.environment());
        QCOMPARE(outcome.messages, (QStringList{QStringLiteral("Short message service configuration is invalid."),
                                                QStringLiteral("SMS channel number is not set!"),
                                                QStringLiteral("SMS pin cannot be empty!"),
                                                QStringLiteral("International area code is not set!")}));
        record.Sms.SmsOn = false;
        QVERIFY(ConfigChecks::check(record, files.environment()).accepted);
    }

    void missingSoundFileFallsBackToTheProgramSound()
    {
        FakeFiles files;
        files.files.insert(QStringLiteral("/snd/ring.wav"));
        SettingsRecord record = defaults();
        record.Sms.SmsRcFile = 1;
        record.Sms.SmsEventCustomFile = QStringLiteral("/snd/ring.wav");
        QVERIFY(ConfigChecks::check(record, files.environment()).messages.isEmpty());
        QCOMPARE(record.Sms.SmsRcFile, 1);

        record.Sms.SmsEventCustomFile = QStringLiteral("/snd/gone.wav");
        const ConfigChecks::Outcome outcome = ConfigChecks::check(record, files.environment());
        QVERIFY(outcome.accepted);
        QCOMPARE(outcome.messages,
                 QStringList{QStringLiteral("Wave /snd/gone.wav doesn't exist. Default sound will be used.")});
        QCOMPARE(record.Sms.SmsRcFile, 0);
    }

    void serverAddressParts()
    {
        using Parts = ServerAddress::Parts;
        QCOMPARE(ServerAddress::split(QStringLiteral("10.0.12.255")),
                 std::optional<Parts>(
                     Parts{QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("255")}));
        QVERIFY(!ServerAddress::split(QStringLiteral("Serwer")));
        QVERIFY(!ServerAddress::split(QStringLiteral("1.2.3.256")));
        QVERIFY(!ServerAddress::split(QStringLiteral("1.2.3")));

        const Parts empty;
        QCOMPARE(ServerAddress::join(empty, QStringLiteral("Serwer")),
                 std::optional<QString>(QStringLiteral("Serwer")));
        QVERIFY(!ServerAddress::join(empty, QString()));
        const Parts leadingZeros{QStringLiteral("010"), QStringLiteral("0"), QStringLiteral(" 1"), QStringLiteral("2")};
        QCOMPARE(ServerAddress::join(leadingZeros, QStringLiteral("Serwer")),
                 std::optional<QString>(QStringLiteral("10.0.1.2")));
        const Parts tooBig{QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("300"), QStringLiteral("1")};
        QVERIFY(!ServerAddress::join(tooBig, QString()));
        QCOMPARE(ServerAddress::invalidText(tooBig), QStringLiteral("IP number (192.168.300.1) is invalid."));
        const Parts partly{QStringLiteral("127"), QString(), QString(), QString()};
        QVERIFY(!ServerAddress::join(partly, QStringLiteral("Serwer")));
    }

    // An accepted entry: corrections shown first, then the messages, the record replaced, the followers told,
    // idle failures reported, and only the exchange switches the user changed sent, forwarding with the new
    // settings. A refused entry leaves the record and the exchange alone.
    void applicationOrderAndRefusal()
    {
        SettingsRecord settings = defaults();
        QStringList events;
        ExchangePort exchange;
        exchange.twoRingForwardingOnly = [] {
            return true;
        };
        exchange.setForwarding = [&](bool on) {
            events << QStringLiteral("forwarding %1 to %2").arg(on).arg(settings.Przeniesienie.NaNr);
        };
        exchange.setLock = [&](bool lock, const QString& pin) {
            events << QStringLiteral("lock %1 %2").arg(lock).arg(pin);
        };
        exchange.setDoNotDisturb = [&](bool on) {
            events << QStringLiteral("dnd %1").arg(on);
        };
        exchange.setAccountCode = [&](bool on, const QString& account, const QString& pin) {
            events << QStringLiteral("account %1 %2 %3").arg(on).arg(account, pin);
        };
        SettingsFollowers followers;
        followers.apply = [&](bool claim) {
            events << QStringLiteral("followers %1").arg(claim);
            return SettingsFollowers::Outcome{false, true};
        };
        ConfigApplication application(settings, QStringLiteral("/data/History/VoiceNotes"), exchange, followers,
                                      [&](const QString& text) { events << text; });
        FakeFiles files;
        application.setEnvironment([&](bool twoRings) { return files.environment(twoRings); });

        ConfigApplication::Entry entry;
        entry.settings = completeSms(settings);
        entry.settings.Sms.Klucz.clear();
        entry.exchange.doNotDisturb = true;
        QVERIFY(!application.apply(entry, [&](const ConfigApplication::Entry&) { events << QStringLiteral("shown"); }));
        QCOMPARE(events, (QStringList{QStringLiteral("shown"),
                                      QStringLiteral("The Vexa PABX can forward calls only if they weren't picked "
                                                     "after two ringings."),
                                      QStringLiteral("Short message service configuration is invalid."),
                                      QStringLiteral("SMS pin cannot be empty!")}));
        QVERIFY(!settings.Sms.SmsOn);
        events.clear();

        entry.settings = settings;
        entry.settings.Przeniesienie.NaNr = QStringLiteral("204");
        entry.settings.Siec.Klucz = QStringLiteral("4321");
        entry.settings.Konta.Numer = QStringLiteral("77");
        entry.exchange = {true, true, false, true};
        entry.shownExchange = {false, true, true, false};
        entry.claimTelLinks = true;
        QVERIFY(application.apply(entry, [&](const ConfigApplication::Entry& shown) {
            events << QStringLiteral("shown %1").arg(shown.settings.Przeniesienie.SposPrzen);
        }));
        QCOMPARE(events,
                 (QStringList{
                     QStringLiteral("shown 1"),
                     QStringLiteral("The Vexa PABX can forward calls only if they weren't picked after two ringings."),
                     QStringLiteral("followers 1"),
                     QStringLiteral("Unable to turn on call forwarding. Installation is corrupted !"),
                     QStringLiteral("forwarding 1 to 204"), QStringLiteral("dnd 0"), QStringLiteral("account 1 77 ")}));
        QCOMPARE(settings.WorkingPin, QStringLiteral("4321"));
        QCOMPARE(settings.Siec.Port, 5524);
    }

    void reconnectOnlyForConnectionSettings()
    {
        const SettingsRecord before = defaults();
        SettingsRecord after = before;
        after.Ogolne.Splash = !after.Ogolne.Splash;
        QVERIFY(!ConfigApplication::linkSettingsDiffer(before, after));
        after.Siec.Serwer = QStringLiteral("127.0.0.2");
        QVERIFY(ConfigApplication::linkSettingsDiffer(before, after));
        after = before;
        after.Siec.Klucz = QStringLiteral("1");
        QVERIFY(ConfigApplication::linkSettingsDiffer(before, after));
    }
};

QTEST_GUILESS_MAIN(TestConfigRules)
#include "TestConfigRules.moc"
