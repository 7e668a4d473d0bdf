#include "pbxlink/protocol/NetLog.h"

#include "pbxlink/protocol/ConsoleMasking.h"
#include "pbxlink/protocol/NetworkConsolePort.h"
#include "pbxlink/protocol/PbxLinkLog.h"

NetLog::NetLog(LogFile file)
    : m_file(std::move(file))
{
}

void NetLog::write(const QString& line, ConsoleColour colour) const
{
    if (!ConsoleMasking::isWorthShowing(line)) {
        return;
    }
    const QString masked = ConsoleMasking::mask(line);
    if (!m_file.append(masked)) {
        qCWarning(lcPbxLink) << "Cannot write" << m_file.path();
    }
    if (m_console != nullptr) {
        m_console->write(masked, colour);
    }
}
