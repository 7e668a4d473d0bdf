#pragma once

#include "GateFakes.h"
#include "settings/SettingsRecord.h"
#include "sms/GateLink.h"
#include "support/ManualTimers.h"

// The gate link's core with recording ports, set up for gate 7 with PIN 1234 on 127.0.0.1:5524. The random part
// answers half its bound, so every random wait is known.
struct GateHarness {
    GateHarness()
    {
        settings.Siec.Serwer = QStringLiteral("127.0.0.1");
        settings.Siec.Port = 5524;
        settings.Sms.SmsOn = true;
        settings.Sms.Klucz = QStringLiteral("1234");
        settings.Sms.Translacja = QStringLiteral("7");
        settings.Sms.SMSSendRead = true;
    }

    static int halfOf(int bound) { return bound / 2; }

    // Connected and logged in, with the login's answer taken.
    void logIn()
    {
        link.connectToServer();
        socket.connected = true;
        link.onConnected();
        tick();
        link.onLine(QStringLiteral("aOK"));
    }

    void tick() { link.onTimer(GateTimer::SendCommand); }

    // Sends one segment as the listener's and takes it out of the queue onto the wire.
    void sendOne(const QString& text = QStringLiteral("Hello"))
    {
        link.claim(&window);
        link.sendSegment(QStringLiteral("600123456"), text, false, 167);
        tick();
    }

    SettingsRecord settings;
    ManualTimers<GateTimer> timers;
    RecordingGateSocket socket;
    RecordingGateObserver observer;
    PlainGateTexts texts;
    RecordingSendListener window;
    GateLink link{{settings, socket, timers, observer, texts, &GateHarness::halfOf}};
};
