#include "app/ConsoleTelephoneWindow.h"

#include <QTextStream>

namespace {

void print(const QString& line)
{
    QTextStream(stdout) << line << Qt::endl;
}

} // namespace

void ConsoleTelephoneWindow::setWindowState(int state)
{
    if (state != m_state) {
        print(QStringLiteral("[state] %1").arg(state));
    }
    m_state = state;
}

void ConsoleTelephoneWindow::setStatus(const StatusLine& status)
{
    print(QStringLiteral("[status] ") + status.text);
}

void ConsoleTelephoneWindow::setUnavailableTexts(const QString& title, const QString& detail)
{
    print(QStringLiteral("[status] ") + title + QStringLiteral(" - ") + detail);
}
