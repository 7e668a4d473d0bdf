#include "pbxsim/ScriptPlayer.h"

#include "pbxsim/ControlRunner.h"
#include "pbxsim/TrafficLog.h"
#include "settings/CodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace pbxsim {

ScriptPlayer::ScriptPlayer(ControlInterpreter& interpreter, const TrafficLog& log, QObject* parent)
    : QObject(parent)
    , m_runner(new ControlRunner(interpreter, this))
    , m_log(log)
{
    connect(m_runner, &ControlRunner::answered, this, &ScriptPlayer::report);
    connect(m_runner, &ControlRunner::quitRequested, this, &ScriptPlayer::quitRequested);
}

bool ScriptPlayer::start(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the script %1: %2").arg(path, file.errorString());
        return false;
    }
    m_name = QFileInfo(path).fileName();
    const QStringList lines =
        CodePage::fromUtf8OrWindows1250(file.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    // Queued, so that a script without waits still reports its end after start() has returned.
    connect(m_runner, &ControlRunner::idle, this, &ScriptPlayer::finished, Qt::QueuedConnection);
    m_runner->enqueueLines(lines);
    return true;
}

void ScriptPlayer::report(int lineNumber, const QString& line, const QString& answer)
{
    const QString place = QStringLiteral("script %1:%2: ").arg(m_name).arg(lineNumber);
    if (answer.startsWith(QLatin1String("error"))) {
        m_log.note(place + line + QStringLiteral(" -> ") + answer);
    } else {
        m_log.detail(place + line + QStringLiteral(" -> ") + answer);
    }
}

} // namespace pbxsim
