#pragma once

#include "CallFakes.h"
#include "LinkHarness.h"
#include "pbxlink/calls/CallControl.h"

// The link's protocol and lifecycle with call tracking and the services on recording ports, logged in to a
// "Tolmo" exchange, on a clock the test sets.
class CallHarness : public LinkHarness {
public:
    explicit CallHarness(const QString& loginReply = QStringLiteral("aOK Tolmo 1.45 9"))
        : calls(settings, dispatcher, lifecycle, notices, LinkPartners{services, dialogs, history, books, recorder},
                clock, {})
    {
        connectAndLogIn(loginReply);
        socket.written.clear();
    }

    // The commands written since the last call, then forgotten.
    QStringList takeCommands()
    {
        const QStringList result = socket.commands();
        socket.written.clear();
        return result;
    }

    void advanceSeconds(int seconds) { clock.advanceSeconds(seconds); }

    RecordingHistory history;
    FixedPhoneBook books;
    RecordingRecorder recorder;
    CallControl calls;
};
