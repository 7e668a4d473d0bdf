#pragma once

#include "pbxlink/protocol/ConsoleColour.h"
#include "settings/LogFile.h"

#include <QString>

class NetworkConsolePort;

// Every console line of the PBX link: PINs masked, appended to net.log with the time of day, and shown in the
// network console window when there is one. Empty lines and the bare "t" are skipped.
class NetLog final {
public:
    explicit NetLog(LogFile file);

    void setConsole(NetworkConsolePort* console) { m_console = console; }
    const QString& path() const { return m_file.path(); }

    void write(const QString& line, ConsoleColour colour) const;

private:
    LogFile m_file;
    NetworkConsolePort* m_console = nullptr;
};
