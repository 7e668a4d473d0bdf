#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

namespace pbxsim {

class PbxSession;

// The open sessions, to reach every session logged in as an extension: events, raw lines and faults go to all of
// them.
class SessionRegistry final : public QObject {
    Q_OBJECT

public:
    explicit SessionRegistry(QObject* parent = nullptr);

    void add(PbxSession* session);
    QList<PbxSession*> sessionsOf(const QString& extension) const;
    // Each returns how many sessions it reached.
    int sendLine(const QString& extension, const QString& line) const;
    int sendRaw(const QString& extension, const QByteArray& bytes, const QString& description) const;
    int drop(const QString& extension) const;
    // The extensions logged in, sorted, once each.
    QStringList loggedInExtensions() const;
    int connectionCount() const;

private:
    void remove(PbxSession* session);

    QList<QPointer<PbxSession>> m_sessions;
};

} // namespace pbxsim
