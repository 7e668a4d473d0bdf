#pragma once

#include "pbxsim/ExtensionState.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

namespace pbxsim {

class FeatureSequences;
struct SimulatorConfig;

// The exchange model: the state of every configured extension and how it changes on the client's commands and the
// operator's control commands. Each change is announced as protocol event lines for the extension; the sessions
// logged in as that extension carry them to their clients.
//
// The client's commands return Refusal::None and make their change, or return the refusal code and change nothing.
// Replies are not sent here: the caller holds the events (EventHold) while it replies, so a reply always comes
// before the events it causes.
class Exchange final : public QObject {
    Q_OBJECT

public:
    // Keeps the exchange's events back while it lives and sends them, in order, when the last hold ends.
    class EventHold final {
    public:
        explicit EventHold(Exchange& exchange);
        ~EventHold();
        EventHold(const EventHold&) = delete;
        EventHold& operator=(const EventHold&) = delete;

    private:
        Exchange& m_exchange;
    };

    enum class RingOutcome { Rung, Busy, DoNotDisturb };

    explicit Exchange(const SimulatorConfig& config, QObject* parent = nullptr);
    ~Exchange() override;

    bool hasExtension(const QString& extension) const;
    QStringList extensions() const;
    // 0 when the login is accepted, else the refusal code.
    int loginRefusal(const QString& extension, const QString& pin) const;
    const ExtensionState* state(const QString& extension) const;
    void setDialDelay(int milliseconds);

    // The client's commands.
    int pickUp(const QString& extension);
    int hangUp(const QString& extension);
    // Digits, or a feature sequence starting with the flash "/"; also what the keypad of the desk phone sends.
    int dial(const QString& extension, const QString& digits);
    // Rejects the ringing call, or deflects it to deflectTo when that is not empty.
    int reject(const QString& extension, const QString& deflectTo);
    int markMaliciousCall(const QString& extension) const;
    // An empty rule cancels forwarding.
    void setForwarding(const QString& extension, const QString& rule);
    void setDoNotDisturb(const QString& extension, bool on);
    int setLocked(const QString& extension, bool on, const QString& pin);
    int setAccountCode(const QString& extension, const QString& account, const QString& pin);
    void clearAccountCode(const QString& extension);
    void sendStat(const QString& extension);

    // The operator: callers and far parties outside the exchange, and the person at the desk phone.
    // Rings a free extension; during a conversation the caller waits (one at a time) until the conversation ends.
    RingOutcome ring(const QString& extension, const QString& caller, const QString& name);
    // Connects the ringing or dialled call, or one with number when given (the waiting caller's number takes the
    // waiting call and holds the conversation); false when there is nothing to connect.
    bool answer(const QString& extension, const QString& number);
    // The far party hangs up.
    void release(const QString& extension, int cause);
    bool setStatFlags(const QString& extension, QStringView flags);
    // Lifting the handset answers a ringing call or gives dial tone; Refusal::WrongHookState when already lifted.
    int liftHandset(const QString& extension);
    // Putting it down ends the call and any held one; Refusal::WrongHookState when already down.
    int putDownHandset(const QString& extension);
    void setSystemPhone(const QString& extension, bool present);

    // Building blocks of the feature sequences.
    ExtensionState* find(const QString& extension);
    // The first other extension with a ringing call, or an empty name and nullptr.
    std::pair<QString, ExtensionState*> ringingElsewhere(const QString& extension);
    void emitEvent(const QString& tag, const QString& extension, const QString& parameters = {});
    void connectCall(const QString& extension, ExtensionState& state, const QString& number);
    void dialDigits(const QString& extension, ExtensionState& state, const QString& digits);
    // Forgets a number being dialled, so its pending connection does nothing.
    static void abandonDialling(ExtensionState& state);
    // Releases the call with cause; the line goes on hook, held and parked calls stay.
    void endCall(const QString& extension, ExtensionState& state, int cause);

signals:
    void event(const QString& extension, const QString& line);

private:
    void completeDial(const QString& extension, quint64 serial);
    void ringExtension(const QString& extension, ExtensionState& state, const QString& caller, const QString& name);
    void emitRing(const QString& extension, const QString& caller, const QString& name);
    void flushEvents();

    QHash<QString, ExtensionState> m_extensions;
    QSet<QString> m_busyNumbers;
    QMap<QString, QString> m_accounts; // account number -> PIN
    int m_dialDelayMs;
    std::unique_ptr<FeatureSequences> m_features;
    int m_holds = 0;
    QList<std::pair<QString, QString>> m_heldEvents; // extension, line
};

} // namespace pbxsim
