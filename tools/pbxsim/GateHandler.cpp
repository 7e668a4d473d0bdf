#include "pbxsim/GateHandler.h"

#include "pbxsim/PbxSession.h"
#include "pbxsim/TrafficLog.h"
#include "settings/CodePage.h"

#include <QDateTime>
#include <QTimer>

namespace pbxsim {

namespace {

bool isGateField(const QString& field)
{
    return field.size() == 4 && field.startsWith(u'G');
}

QString refusal(int code)
{
    return QStringLiteral("aNA ") + QString::number(code);
}

// Takes one from a fault count; true when the fault applies to this send.
bool consume(int& count)
{
    if (count <= 0) {
        return false;
    }
    --count;
    return true;
}

} // namespace

GateHandler::GateHandler(QHash<QString, QString> gates, const TrafficLog& log, QObject* parent)
    : QObject(parent)
    , m_gates(std::move(gates))
    , m_log(log)
{
}

void GateHandler::setDelays(int answerMs, int reportMs)
{
    m_answerMs = answerMs;
    m_reportMs = reportMs;
}

bool GateHandler::handle(PbxSession& session, const QString& line)
{
    const QStringList fields = line.split(u' ');
    const QString word = fields.value(0);
    static const QStringList words{QStringLiteral("aLOGI"), QStringLiteral("aLOGO"), QStringLiteral("aSMSS"),
                                   QStringLiteral("aSOK")};
    if (!words.contains(word) || !isGateField(fields.value(1))) {
        return false;
    }
    const QString gate = fields[1].mid(1);
    if (word == u"aLOGI") {
        logIn(session, fields);
        return true;
    }
    if (gateOf(session) != gate) {
        sendLine(session, refusal(1));
        return true;
    }
    if (word == u"aLOGO") {
        m_sessions.removeIf([&session](const Session& s) { return s.session == &session; });
        sendLine(session, QStringLiteral("aOK"));
    } else if (word == u"aSOK") {
        m_acknowledged.append(fields.value(2));
        sendLine(session, QStringLiteral("aOK"));
    } else {
        send(session, gate, line);
    }
    return true;
}

void GateHandler::logIn(PbxSession& session, const QStringList& fields)
{
    const QString gate = fields.value(1).mid(1);
    const QString pin = fields.value(2);
    if (m_faults.loginRefusal > 0) {
        sendLine(session, refusal(std::exchange(m_faults.loginRefusal, 0)));
    } else if (!m_gates.contains(gate)) {
        sendLine(session, refusal(7));
    } else if (pin.isEmpty()) {
        sendLine(session, refusal(12));
    } else if (m_gates.value(gate) != pin) {
        sendLine(session, refusal(11));
    } else {
        m_sessions.removeIf([&session](const Session& s) { return s.session.isNull() || s.session == &session; });
        m_sessions.append({&session, gate});
        sendLine(session, QStringLiteral("aOK G") + gate + QStringLiteral(" GSM 1 1 600700") + gate);
    }
}

// "aSMSS Gggg number kind validity text": the gate takes it, then the centre answers and later reports.
void GateHandler::send(PbxSession& session, const QString& gate, const QString& line)
{
    if (m_faults.drop) {
        m_faults.drop = false;
        session.drop();
        return;
    }
    if (m_faults.silence) {
        return;
    }
    if (consume(m_faults.notLogged)) {
        sendLine(session, refusal(1));
        return;
    }
    if (consume(m_faults.busy)) {
        sendLine(session, refusal(4));
        return;
    }
    if (consume(m_faults.cardBusy)) {
        sendLine(session, refusal(21));
        return;
    }
    if (consume(m_faults.starting)) {
        sendLine(session, refusal(23));
        return;
    }
    const QStringList fields = line.split(u' ');
    if (fields.size() < 5 || fields[2].isEmpty()) {
        sendLine(session, refusal(9));
        return;
    }
    // The session read the line as Windows-1250; with code page 852 the bytes are read again as that.
    const QString sent = line.section(u' ', 2);
    m_sent.append(m_cp852 ? CodePage::fromCp852(CodePage::toWindows1250(sent)) : sent);
    sendLine(session, QStringLiteral("aOK"));
    const int reference = m_nextReference++;
    const bool accepted = !m_faults.reject;
    const QString outcome = m_faults.undelivered ? QStringLiteral("E") : QStringLiteral("D");
    QPointer<PbxSession> target(&session);
    QTimer::singleShot(m_answerMs, this, [this, target, gate, reference, accepted] {
        if (target) {
            sendLine(*target, QStringLiteral("SMSA G%1 0 %2 %3").arg(gate, accepted ? u"C" : u"R").arg(reference));
        }
    });
    if (!accepted) {
        return;
    }
    QTimer::singleShot(m_reportMs, this, [this, target, gate, reference, outcome] {
        if (target) {
            sendLine(*target, QStringLiteral("SMSR G%1 0 %2 %3 %4").arg(gate, outcome).arg(m_nextId++).arg(reference));
        }
    });
}

int GateHandler::deliver(const QString& gate, const QString& sender, int reference, int total, const QList<int>& order,
                         const QString& text)
{
    const QList<PbxSession*> sessions = sessionsOf(gate);
    const qsizetype pieceSize = (text.size() + total - 1) / std::max(total, 1);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd,hh:mm:ss"));
    for (const int number : order) {
        const QString piece = text.mid((number - 1) * pieceSize, pieceSize);
        const QString line = QStringLiteral("SMSG 1 G%1 %2 %3 145 %4,%5,%6 %7 %8")
                                 .arg(gate)
                                 .arg(m_nextId++)
                                 .arg(sender)
                                 .arg(reference)
                                 .arg(number)
                                 .arg(total)
                                 .arg(stamp, piece);
        for (PbxSession* session : sessions) {
            sendLine(*session, line);
        }
    }
    return static_cast<int>(sessions.size());
}

int GateHandler::sessionCount(const QString& gate) const
{
    return static_cast<int>(std::count_if(m_sessions.cbegin(), m_sessions.cend(),
                                          [&gate](const Session& s) { return s.session && s.gate == gate; }));
}

void GateHandler::sendLine(PbxSession& session, const QString& line)
{
    const QByteArray bytes = m_cp852 ? CodePage::toCp852(line) : CodePage::toWindows1250(line);
    session.sendRaw(bytes + QByteArrayLiteral("\r\n"), QStringLiteral("gate: ") + line);
}

QString GateHandler::gateOf(const PbxSession& session) const
{
    for (const Session& s : m_sessions) {
        if (s.session == &session) {
            return s.gate;
        }
    }
    return {};
}

QList<PbxSession*> GateHandler::sessionsOf(const QString& gate)
{
    QList<PbxSession*> sessions;
    for (const Session& s : m_sessions) {
        if (s.session && s.gate == gate) {
            sessions.append(s.session.data());
        }
    }
    return sessions;
}

} // namespace pbxsim
