#include "pbxlink/NetLog.h"

#include "pbxlink/ConsoleMasking.h"
#include "pbxlink/NetworkConsolePort.h"
#include "pbxlink/PbxLinkLog.h"

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
