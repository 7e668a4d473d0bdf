#pragma once

#include <QObject>
#include <QString>

namespace pbxsim {

class ControlInterpreter;
class ControlRunner;
class TrafficLog;

// Plays a script file of control commands from top to bottom ("wait MS" between steps). A line that fails is
// logged with its line number and the script goes on. The file may be UTF-8 or Windows-1250.
class ScriptPlayer final : public QObject {
    Q_OBJECT

public:
    ScriptPlayer(ControlInterpreter& interpreter, const TrafficLog& log, QObject* parent = nullptr);

    bool start(const QString& path, QString* error);

signals:
    void finished();
    void quitRequested();

private:
    void report(int lineNumber, const QString& line, const QString& answer);

    ControlRunner* m_runner;
    const TrafficLog& m_log;
    QString m_name;
};

} // namespace pbxsim
