#pragma once

#include <QDeadlineTimer>
#include <QProcess>

// Waits for a complete line from the process. Works before any application object exists, so that a test can
// start a server before it makes its application.
inline bool waitForProcessLine(QProcess& process, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(int(deadline.remainingTime()))) {
            return false;
        }
    }
    return true;
}
