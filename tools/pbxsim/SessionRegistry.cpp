#include "pbxsim/SessionRegistry.h"

#include "pbxsim/PbxSession.h"

#include <algorithm>

namespace pbxsim {

SessionRegistry::SessionRegistry(QObject* parent)
    : QObject(parent)
{
}

void SessionRegistry::add(PbxSession* session)
{
    m_sessions.append(session);
    connect(session, &PbxSession::closed, this, &SessionRegistry::remove);
}

QList<PbxSession*> SessionRegistry::sessionsOf(const QString& extension) const
{
    QList<PbxSession*> found;
    for (const QPointer<PbxSession>& session : m_sessions) {
        if (session && session->extension() == extension) {
            found.append(session.data());
        }
    }
    return found;
}

int SessionRegistry::sendLine(const QString& extension, const QString& line) const
{
    const QList<PbxSession*> sessions = sessionsOf(extension);
    for (PbxSession* session : sessions) {
        session->sendLine(line);
    }
    return int(sessions.size());
}

int SessionRegistry::sendRaw(const QString& extension, const QByteArray& bytes, const QString& description) const
{
    const QList<PbxSession*> sessions = sessionsOf(extension);
    for (PbxSession* session : sessions) {
        session->sendRaw(bytes, description);
    }
    return int(sessions.size());
}

int SessionRegistry::drop(const QString& extension) const
{
    const QList<PbxSession*> sessions = sessionsOf(extension);
    for (PbxSession* session : sessions) {
        session->drop();
    }
    return int(sessions.size());
}

QStringList SessionRegistry::loggedInExtensions() const
{
    QStringList extensions;
    for (const QPointer<PbxSession>& session : m_sessions) {
        if (session && session->isLoggedIn() && !extensions.contains(session->extension())) {
            extensions.append(session->extension());
        }
    }
    extensions.sort();
    return extensions;
}

int SessionRegistry::connectionCount() const
{
    return int(
        std::count_if(m_sessions.cbegin(), m_sessions.cend(), [](const auto& session) { return !session.isNull(); }));
}

void SessionRegistry::remove(PbxSession* session)
{
    m_sessions.removeIf([session](const QPointer<PbxSession>& entry) { return entry.isNull() || entry == session; });
}

} // namespace pbxsim
