#pragma once

#include "pbxsim/FaultModes.h"

#include <QHash>
#include <QHostAddress>
#include <QMap>
#include <QString>
#include <QStringList>

namespace pbxsim {

// Everything the stand-in is started with; the command line fills it, tests set it directly.
struct SimulatorConfig final {
    QHostAddress listenAddress = QHostAddress(QHostAddress::LocalHost);
    bool listenAddressGiven = false; // only an explicit address may be outside loopback
    quint16 port = 5524;             // 0: any free port

    bool discovery = true;
    QHostAddress udpAddress = QHostAddress(QHostAddress::LocalHost);
    bool udpAddressGiven = false;
    quint16 udpPort = 5523;
    QString announceAddress; // empty: the listen address (127.0.0.1 when listening on all addresses)

    // Extension -> PIN; an empty PIN logs in without one.
    QMap<QString, QString> extensions{{QStringLiteral("21"), QStringLiteral("1234")},
                                      {QStringLiteral("22"), QStringLiteral("2222")}};
    // Extensions with an analogue set: the server cannot lift or put down their handset.
    QStringList noSystemPhone;
    // Account number -> PIN, for account codes.
    QMap<QString, QString> accounts{{QStringLiteral("12"), QStringLiteral("1234")},
                                    {QStringLiteral("34"), QStringLiteral("3434")}};
    QStringList busyNumbers;
    // GSM gate (three digits) -> PIN.
    QHash<QString, QString> gates{{QStringLiteral("007"), QStringLiteral("1234")}};
    int dialDelayMs = 300;

    QString pbxType = QStringLiteral("Tolmo");
    QString pbxVersion = QStringLiteral("1.45");
    int protocolLevel = 9;

    QString scriptPath;
    int controlPort = -1; // -1: no control socket, 0: any free port
    bool readStdin = false;

    FaultModes faults;
    bool quiet = false;
};

} // namespace pbxsim
