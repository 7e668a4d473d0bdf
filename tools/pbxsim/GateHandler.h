#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

namespace pbxsim {

class PbxSession;
class TrafficLog;

// The PBX's GSM gate on the same port as the telephony protocol: clients log in to a gate ("aLOGI G007 PIN"),
// send segments ("aSMSS"), acknowledge what they got ("aSOK") and log out. A sent segment is answered "aOK", then
// the SMS centre's "SMSA" with a reference, later the delivery report "SMSR". Incoming messages are played from the
// control language, and the operator switches faults on to see how the client copes.
class GateHandler final : public QObject {
    Q_OBJECT

public:
    struct Faults {
        int busy = 0;             // answer this many sends "aNA 4"
        int cardBusy = 0;         // ... "aNA 21"
        int starting = 0;         // ... "aNA 23"
        int notLogged = 0;        // ... "aNA 1"
        int loginRefusal = 0;     // refuse the next login with this code
        bool silence = false;     // answer nothing to sends
        bool drop = false;        // cut the connection at the next send
        bool reject = false;      // the centre rejects the segments ("SMSA R")
        bool undelivered = false; // delivery reports say "E"
    };

    // gates: three-digit gate number -> PIN.
    GateHandler(QHash<QString, QString> gates, const TrafficLog& log, QObject* parent = nullptr);

    // True when the line is for the gate, which then answers it.
    bool handle(PbxSession& session, const QString& line);

    Faults& faults() { return m_faults; }
    void setDelays(int answerMs, int reportMs);
    // Texts go out in code page 852 (true) or Windows-1250.
    void setCp852(bool cp852) { m_cp852 = cp852; }

    // Sends the pieces of a message of total segments with that reference (numbers in order, 1-based) to every
    // session logged in to the gate; the text is cut into total nearly equal pieces. Answers how many sessions.
    int deliver(const QString& gate, const QString& sender, int reference, int total, const QList<int>& order,
                const QString& text);
    // The acknowledgements ("aSOK") received, oldest first.
    const QStringList& acknowledged() const { return m_acknowledged; }
    QStringList sentSegments() const { return m_sent; }
    int sessionCount(const QString& gate) const;

private:
    struct Session {
        QPointer<PbxSession> session;
        QString gate;
    };

    void logIn(PbxSession& session, const QStringList& fields);
    void send(PbxSession& session, const QString& gate, const QString& line);
    void sendLine(PbxSession& session, const QString& line);
    QString gateOf(const PbxSession& session) const;
    QList<PbxSession*> sessionsOf(const QString& gate);

    QHash<QString, QString> m_gates;
    const TrafficLog& m_log;
    QList<Session> m_sessions;
    Faults m_faults;
    int m_answerMs = 50;
    int m_reportMs = 150;
    bool m_cp852 = true;
    int m_nextReference = 100;
    int m_nextId = 1;
    QStringList m_acknowledged;
    QStringList m_sent;
};

} // namespace pbxsim
