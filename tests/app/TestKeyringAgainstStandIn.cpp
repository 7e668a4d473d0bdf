// The built client with its extension PIN in the desktop's keyring (GNOME Keyring on a private session bus), not in
// its settings file: it logs in to the built PBX stand-in with that PIN, and with no other first.
#include "app/ClientProcess.h"
#include "settings/SettingsSecrets.h"
#include "settings/keyring/QtKeychainVault.h"
#include "support/PrivateSessionBus.h"
#include "support/TestSecretService.h"

#include <QTest>
#include <optional>

namespace {

const QString LoggedIn = QStringLiteral("[state] 0");
const QString LoginAccepted = QStringLiteral(" -> aOK Tolmo 1.45 9");
const QString LoginRequest = QStringLiteral(" <- aLOGI 21__");

QByteArray settingsWithoutPin(quint16 pbxPort)
{
    return "[Ogolne]\nKeyring=1\nZapiszKlucz=1\nSplash=0\n"
           "[Siec]\nSerwer=127.0.0.1\nPort=" +
           QByteArray::number(pbxPort) + "\nTelNr=21\nZapiszKlucz=1\nKlucz=\nSzukaj=0\nOknoWysBl=1\n";
}

// Stores secrets in vault and waits for the keyring to take them.
bool store(SecretVault& vault, const SettingsSecrets::Secrets& secrets)
{
    std::optional<SecretVault::Outcome> outcome;
    vault.write(SettingsSecrets::encode(secrets),
                [&outcome](const SecretVault::Answer& answer) { outcome = answer.outcome; });
    return QTest::qWaitFor([&outcome] { return outcome.has_value(); }, PrivateSessionBus::PatienceMs) &&
           *outcome == SecretVault::Outcome::Done;
}

} // namespace

class TestKeyringAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void logsInWithThePinFromTheKeyring()
    {
        QVERIFY2(!builtProgram(QStringLiteral("tervo")).isEmpty(), "no bin/tervo in $TERVO_BINARY_DIR");
        PrivateSessionBus bus;
        TestSecretService secrets(bus);
        if (!secrets.isRunning()) {
            QSKIP(qPrintable(secrets.problem()));
        }
        StandIn standIn;
        QVERIFY(standIn.start());
        ClientProfile profile(standIn.port());
        QVERIFY(profile.isReady());
        // Only the per-user file, which holds no PIN.
        QVERIFY(QFile::remove(profile.paths().sharedFolderSettingsFile()));
        QVERIFY(writeFile(profile.paths().settingsFile(), settingsWithoutPin(standIn.port())));

        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
        QtKeychainVault vault = QtKeychainVault::forSettings(profile.paths());
        QVERIFY(store(vault, {{QStringLiteral("Siec/Klucz"), QStringLiteral("1234")}}));

        QProcessEnvironment environment = profile.environment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        ObservedProcess client;
        QVERIFY(client.start(profile.paths().executablePath(), {QStringLiteral("-l=en")}, environment));
        const bool loggedIn = client.waitFor(LoggedIn) >= 0;
        const qsizetype accepted = standIn.traffic().find(LoginAccepted);
        const QStringList traffic = standIn.traffic().lines().mid(0, accepted + 1);
        const QStringList output = client.lines();
        const bool stopped = client.stop();
        standIn.stop();
        if (!loggedIn) {
            qWarning().noquote() << "client:\n" << output.join(u'\n') << "\nstand-in:\n" << traffic.join(u'\n');
        }
        QVERIFY(loggedIn);
        QVERIFY(stopped);
        QVERIFY(accepted >= 0);
        QCOMPARE(traffic.filter(LoginRequest).size(), 1);
        QVERIFY(output.filter(QStringLiteral("1234")).filter(QStringLiteral("aLOGI")).isEmpty());
        // What the client saved at the end still holds no PIN.
        const QByteArray file = readFile(profile.paths().settingsFile());
        QVERIFY(file.contains("Keyring=1"));
        QVERIFY(file.contains("\nKlucz=\n"));
    }
};

QTEST_GUILESS_MAIN(TestKeyringAgainstStandIn)
#include "TestKeyringAgainstStandIn.moc"
