#pragma once

#include "CallFakes.h"
#include "LinkFakes.h"
#include "pbxlink/lifecycle/TToPBX.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxsim/PbxSimulator.h"
#include "settings/SettingsRecord.h"
#include "support/QuietStandIn.h"

#include <QTemporaryDir>
#include <QTest>
#include <optional>

// The real link against the PBX stand-in running in the same process, on loopback.

inline constexpr int Patience = 5000;

// A stand-in on a free port, without discovery, that connects dialled numbers almost at once.
inline pbxsim::SimulatorConfig standInConfig()
{
    pbxsim::SimulatorConfig config = quietStandInConfig();
    config.dialDelayMs = 5;
    return config;
}

// The real link with recording ports, set up for extension 21.
class LinkUnderTest {
public:
    explicit LinkUnderTest(quint16 port)
        : link(
              settings, [this] { ++saves; }, LogFile(folder.filePath(QStringLiteral("net.log")), LogFile::Stamp::Time),
              LinkPartners{services, dialogs, history, books, recorder})
    {
        settings.Siec.Serwer = QStringLiteral("127.0.0.1");
        settings.Siec.Port = port;
        settings.Siec.TelNr = QStringLiteral("21");
        settings.Siec.ZapiszKlucz = true;
        settings.Siec.Szukaj = false;
        settings.WorkingPin = QStringLiteral("1234");
        link.setConsole(&console);
    }

    bool loggedIn() const { return window.windowState() == WindowState::Idle && link.isConnected(); }

    // Starts the link and waits until it has logged in.
    bool logIn()
    {
        link.start();
        return QTest::qWaitFor([this] { return loggedIn(); }, Patience);
    }

    QTemporaryDir folder;
    SettingsRecord settings;
    RecordingServices services;
    RecordingDialogs dialogs;
    RecordingConsole console;
    RecordingHistory history;
    FixedPhoneBook books;
    RecordingRecorder recorder;
    int saves = 0;
    TToPBX link;
    RecordingWindow window{link.notices()};
};

// A stand-in and a client of it, started and logged in by startAndLogIn().
class StandInWithClient {
public:
    explicit StandInWithClient(const pbxsim::SimulatorConfig& config = standInConfig())
        : standIn(config)
    {
    }

    bool startAndLogIn(QString* error)
    {
        if (!standIn.start(error)) {
            return false;
        }
        client.emplace(standIn.port());
        if (!client->logIn()) {
            *error = QStringLiteral("the link did not log in");
            return false;
        }
        return true;
    }

    pbxsim::PbxSimulator standIn;
    std::optional<LinkUnderTest> client;
};
