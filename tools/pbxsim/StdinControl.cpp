#include "pbxsim/StdinControl.h"

#include "pbxsim/ControlRunner.h"
#include "pbxsim/TrafficLog.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace pbxsim {

StdinControl::StdinControl(ControlInterpreter& interpreter, const TrafficLog& log, QObject* parent)
    : QObject(parent)
    , m_runner(new ControlRunner(interpreter, this))
    , m_log(log)
{
    connect(m_runner, &ControlRunner::answered, this, [this](int, const QString& line, const QString& answer) {
        m_log.note(QStringLiteral("stdin: ") + line + QStringLiteral(" -> ") + answer);
    });
    connect(m_runner, &ControlRunner::quitRequested, this, &StdinControl::quitRequested);
}

bool StdinControl::isUsable()
{
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1) {
        return false;
    }
    // Reading the terminal from a background process group would stop the process (SIGTTIN).
    return ::isatty(STDIN_FILENO) == 0 || ::tcgetpgrp(STDIN_FILENO) == ::getpgrp();
}

void StdinControl::start()
{
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StdinControl::readInput);
}

void StdinControl::readInput()
{
    char buffer[4096];
    const ssize_t size = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (size < 0 && (errno == EINTR || errno == EAGAIN)) {
        return;
    }
    if (size <= 0) {
        m_notifier->setEnabled(false);
        if (const QByteArray rest = m_splitter.takeRest(); !rest.isEmpty()) {
            m_runner->enqueue(QString::fromUtf8(rest));
        }
        return;
    }
    const QList<QByteArray> lines = m_splitter.feed(QByteArrayView(buffer, size));
    for (const QByteArray& line : lines) {
        m_runner->enqueue(QString::fromUtf8(line));
    }
}

} // namespace pbxsim
