#pragma once

#include "pbxsim/ControlReply.h"

#include <QString>
#include <optional>

namespace pbxsim {

class Exchange;
class SessionRegistry;

// The exchange's own recordings in the control language. The file itself lies on an FTP server the operator runs
// (a test starts one on loopback); the stand-in only announces it:
//   record EXT HOST NAME...        a recording of the call began and ended: RECB NAME, then RECE N HOST <NAME>
//   record-begin EXT NAME...       RECB NAME alone
//   record-change EXT NAME...      RECC NAME (the recording was given up)
//   record-end EXT HOST NAME...    RECE N HOST <NAME> alone
// NAME may hold blanks; HOST must be a loopback address, so the client never reaches out of the machine.
class RecordingControl final {
public:
    RecordingControl(const Exchange& exchange, const SessionRegistry& registry);

    // Nothing when the line is not one of the recording words.
    std::optional<ControlReply> execute(const QString& line);

    static QString manual();

private:
    ControlReply announce(const QString& extension, const QString& tag, const QString& parameters);
    ControlReply ended(const QString& extension, const QString& host, const QString& name);

    const Exchange& m_exchange;
    const SessionRegistry& m_registry;
    int m_recordings = 0;
};

} // namespace pbxsim
