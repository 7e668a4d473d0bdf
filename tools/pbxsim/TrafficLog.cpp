#include "pbxsim/TrafficLog.h"

#include "pbxsim/WireText.h"

#include <QTime>
#include <cstdio>

namespace pbxsim {

TrafficLog::TrafficLog(bool quiet)
    : m_quiet(quiet)
{
}

void TrafficLog::received(const QString& peer, const QString& line) const
{
    detail(peer + QStringLiteral(" <- ") + WireText::maskSecrets(line));
}

void TrafficLog::sent(const QString& peer, const QString& line) const
{
    detail(peer + QStringLiteral(" -> ") + WireText::maskSecrets(line));
}

void TrafficLog::detail(const QString& text) const
{
    if (!m_quiet) {
        print(text);
    }
}

void TrafficLog::note(const QString& text) const
{
    print(text);
}

void TrafficLog::print(const QString& text)
{
    const QString line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + text + QLatin1Char('\n');
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace pbxsim
