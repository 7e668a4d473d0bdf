#pragma once

#include "pbxsim/ExtensionState.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

namespace pbxsim {

// The exchange model: the state of every configured extension and how it changes on the client's commands and the
// operator's control commands. Each change is announced as protocol event lines for the extension; the sessions
// logged in as that extension carry them to their clients. Replies are not sent here: callers reply first and
// then ask for the change, so a reply always comes before the events it causes.
class Exchange final : public QObject {
    Q_OBJECT

public:
    // Login refusal codes.
    static constexpr int InvalidNumber = 7;
    static constexpr int WrongPin = 11;
    static constexpr int NoPin = 12;

    // extensionPins: extension -> PIN (empty for none). Dialling a busy number releases with cause 17.
    Exchange(const QMap<QString, QString>& extensionPins, const QStringList& busyNumbers, int dialDelayMs,
             QObject* parent = nullptr);

    bool hasExtension(const QString& extension) const;
    QStringList extensions() const;
    // 0 when the login is accepted, else the refusal code.
    int loginRefusal(const QString& extension, const QString& pin) const;
    // An extension without a PIN accepts any.
    bool pinMatches(const QString& extension, const QString& pin) const;
    bool isRinging(const QString& extension) const;
    const ExtensionState* state(const QString& extension) const;
    void setDialDelay(int milliseconds);

    // The client's commands.
    void pickUp(const QString& extension);
    void dial(const QString& extension, const QString& digits);
    void hangUp(const QString& extension);
    void reject(const QString& extension);
    void setForwarding(const QString& extension, bool on);
    void setDoNotDisturb(const QString& extension, bool on);
    void setLocked(const QString& extension, bool on);
    void setAccountCode(const QString& extension, bool on);
    void sendStat(const QString& extension);

    // The operator's control commands.
    void ring(const QString& extension, const QString& caller, const QString& name);
    // Connects the ringing or dialled call, or one with number when given; false when there is nothing to connect.
    bool answer(const QString& extension, const QString& number);
    void release(const QString& extension, int cause);
    bool setStatFlags(const QString& extension, QStringView flags);

signals:
    void event(const QString& extension, const QString& line);

private:
    ExtensionState* find(const QString& extension);
    void emitEvent(const QString& tag, const QString& extension, const QString& parameters = {});
    void setFlag(const QString& extension, bool ExtensionState::*flag, bool on);
    void dialFeature(const QString& extension, ExtensionState& state, const QString& digits);
    void dialDigits(const QString& extension, ExtensionState& state, const QString& digits);
    void completeDial(const QString& extension, quint64 serial);
    void connectCall(const QString& extension, ExtensionState& state, const QString& number);

    QHash<QString, ExtensionState> m_extensions;
    QSet<QString> m_busyNumbers;
    int m_dialDelayMs;
};

} // namespace pbxsim
