#pragma once

#include "pbxsim/LineSplitter.h"

#include <QObject>

class QSocketNotifier;

namespace pbxsim {

class ControlInterpreter;
class ControlRunner;
class TrafficLog;

// Control commands typed on (or piped into) standard input, one per line (UTF-8); answers go to the log. At the
// end of input it stops reading and the stand-in keeps running.
class StdinControl final : public QObject {
    Q_OBJECT

public:
    StdinControl(ControlInterpreter& interpreter, const TrafficLog& log, QObject* parent = nullptr);

    // False when standard input is closed or a terminal this process does not own (running in the background).
    static bool isUsable();
    void start();

signals:
    void quitRequested();

private:
    void readInput();

    ControlRunner* m_runner;
    const TrafficLog& m_log;
    QSocketNotifier* m_notifier = nullptr;
    LineSplitter m_splitter;
};

} // namespace pbxsim
