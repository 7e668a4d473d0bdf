#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// A log file that lines are appended to, each prefixed with the local time in brackets. The folder is created
// on the first line; the file is readable by its owner only, since logs name numbers and callers.
class LogFile final {
public:
    enum class Stamp {
        Time,     // "[hh:mm:ss] "
        DateTime, // "[yy-mm-dd hh:mm:ss] "
    };
    using Clock = std::function<QDateTime()>;

    LogFile(QString path, Stamp stamp, Clock clock = &QDateTime::currentDateTime);

    const QString& path() const { return m_path; }

    // Returns false when the line could not be written.
    bool append(const QString& line) const;

    static QString prefix(const QDateTime& time, Stamp stamp);

private:
    QString m_path;
    Stamp m_stamp;
    Clock m_clock;
};
