#include "pbxsim/ControlRunner.h"

#include "pbxsim/ControlInterpreter.h"

namespace pbxsim {

ControlRunner::ControlRunner(ControlInterpreter& interpreter, QObject* parent)
    : QObject(parent)
    , m_interpreter(interpreter)
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &ControlRunner::finishWait);
}

void ControlRunner::enqueue(const QString& line, int lineNumber)
{
    m_queue.append(Entry{line.trimmed(), lineNumber});
    runQueue();
}

void ControlRunner::enqueueLines(const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        m_queue.append(Entry{lines[i].trimmed(), int(i + 1)});
    }
    runQueue();
}

void ControlRunner::runQueue()
{
    // An answer's receiver may enqueue more lines; the loop below takes them, so it must not run twice at once.
    if (m_running) {
        return;
    }
    m_running = true;
    while (!m_queue.isEmpty() && !m_wait.isActive()) {
        const Entry entry = m_queue.takeFirst();
        if (entry.line.isEmpty() || entry.line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const ControlReply reply = m_interpreter.execute(entry.line);
        if (reply.waitMs > 0) {
            m_waiting = entry;
            m_wait.start(reply.waitMs);
            break;
        }
        emit answered(entry.number, entry.line, reply.answer());
        if (reply.quit) {
            emit quitRequested();
        }
    }
    m_running = false;
    if (isIdle()) {
        emit idle();
    }
}

void ControlRunner::finishWait()
{
    emit answered(m_waiting.number, m_waiting.line, ControlReply::success().answer());
    runQueue();
}

} // namespace pbxsim
