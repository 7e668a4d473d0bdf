#include "pbxlink/calls/CallTimer.h"

#include "settings/Lang.h"

namespace {

constexpr int SecondsPerMinute = 60;

} // namespace

CallTimer::CallTimer(const QLocale& locale)
    : m_locale(locale)
{
}

void CallTimer::start()
{
    m_minutes = 0;
    m_seconds = 0;
    m_previousSecond = -1;
}

void CallTimer::tick(int secondOfMinute)
{
    if (secondOfMinute < 0 || secondOfMinute >= SecondsPerMinute) {
        return;
    }
    if (m_previousSecond >= 0) {
        int step = secondOfMinute - m_previousSecond;
        if (step < 0) { // the clock stepped into the next minute
            step += SecondsPerMinute;
        }
        m_seconds += step;
        m_minutes += m_seconds / SecondsPerMinute;
        m_seconds %= SecondsPerMinute;
    }
    m_previousSecond = secondOfMinute;
}

QString CallTimer::elapsedText() const
{
    return QStringLiteral("%1:%2").arg(m_minutes).arg(m_seconds, 2, 10, QLatin1Char('0'));
}

QString CallTimer::currencySymbol() const
{
    const QString symbol = m_locale.currencySymbol(QLocale::CurrencySymbol);
    return symbol.isEmpty() ? Lang::_("Euro") : symbol;
}
