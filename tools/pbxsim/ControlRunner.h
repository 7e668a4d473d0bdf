#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace pbxsim {

class ControlInterpreter;

// Runs the control lines of one source (a script, standard input, one control connection) one after another;
// "wait MS" holds back the following lines of that source only. Blank lines and lines starting with '#' are
// skipped without an answer.
class ControlRunner final : public QObject {
    Q_OBJECT

public:
    explicit ControlRunner(ControlInterpreter& interpreter, QObject* parent = nullptr);

    // lineNumber only labels the answer.
    void enqueue(const QString& line, int lineNumber = 0);
    // All lines at once, numbered from 1, so that idle() only follows the last one.
    void enqueueLines(const QStringList& lines);
    bool isIdle() const { return m_queue.isEmpty() && !m_wait.isActive(); }

signals:
    // answer is "ok [...]" or "error: ...".
    void answered(int lineNumber, const QString& line, const QString& answer);
    void quitRequested();
    // Every queued line has run.
    void idle();

private:
    struct Entry {
        QString line;
        int number = 0;
    };

    void runQueue();
    void finishWait();

    ControlInterpreter& m_interpreter;
    QList<Entry> m_queue;
    Entry m_waiting;
    QTimer m_wait;
    bool m_running = false;
};

} // namespace pbxsim
