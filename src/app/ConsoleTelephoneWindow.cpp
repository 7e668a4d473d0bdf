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

void ConsoleTelephoneWindow::setHandsetLifted(bool lifted)
{
    print(lifted ? QStringLiteral("[call] handset lifted") : QStringLiteral("[call] handset down"));
}

void ConsoleTelephoneWindow::showConnectedNumber(const QString& number)
{
    print(QStringLiteral("[call] connected with ") + number);
}

void ConsoleTelephoneWindow::showDialledDigits(const QString& digits, const QString& name)
{
    print(QStringLiteral("[call] dialling ") + digits + (name.isEmpty() ? QString() : u' ' + name));
}

bool ConsoleTelephoneWindow::showIncomingCall(const QString& caller, const QString& calledNumber,
                                              const QString& callerName)
{
    QString line = QStringLiteral("[call] ringing: ") + caller;
    if (!callerName.isEmpty()) {
        line +=
            QStringLiteral(" (") + QString(callerName).replace(QStringLiteral("\r\n"), QStringLiteral(" / ")) + u')';
    }
    if (!calledNumber.isEmpty()) {
        line += QStringLiteral(" to ") + calledNumber;
    }
    print(line);
    return true;
}

void ConsoleTelephoneWindow::showFeatureStatus(const FeatureStatus& status)
{
    const auto flag = [](const char* name, bool on) {
        return QLatin1String(name) + (on ? u'+' : u'-');
    };
    print(QStringLiteral("[features] ") + flag("forwarding", status.forwarding) + u' ' +
          flag("dnd", status.doNotDisturb) + u' ' + flag("lock", status.locked) + u' ' +
          flag("account", status.accountCode) + u' ' + flag("park", status.parked));
}

void ConsoleTelephoneWindow::cancelCall()
{
    print(QStringLiteral("[call] cancelled"));
}
