#include "app/ConsoleCallLog.h"

#include <QTextStream>

namespace {

QString timeText(const QDateTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QStringLiteral("-");
}

} // namespace

void ConsoleCallLog::printHistoryRow(const CallHistoryEntry& entry)
{
    QTextStream(stdout) << "[history] type " << entry.type << ' ' << entry.number << " from " << timeText(entry.start)
                        << " to " << timeText(entry.end) << Qt::endl;
}
