#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

// The make-call request interface for other programs on the session bus: the client owns the name
// "com.norvel.TelefonTervo" and offers, at "/com/norvel/TelefonTervo" in the interface
// "com.norvel.TelefonTervo.Telephony", MakeCall(destination) and RequestMakeCall(destination, calledParty,
// comment) with the fields of an assisted-telephony request. A valid request is told by makeCallRequested; the
// telephone window places it.
class MakeCallService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.norvel.TelefonTervo.Telephony")

public:
    static constexpr char16_t ServiceName[] = u"com.norvel.TelefonTervo";
    static constexpr char16_t ObjectPath[] = u"/com/norvel/TelefonTervo";
    // The field sizes of the request record, terminating zero excluded.
    static constexpr int DestinationLength = 79;
    static constexpr int CalledPartyLength = 39;
    static constexpr int CommentLength = 79;

    explicit MakeCallService(QObject* parent = nullptr);
    ~MakeCallService() override;

    // Offers the interface on that bus and takes the name. False when there is no bus or the name belongs to
    // another client (the reason is logged); nothing is then offered.
    bool start(QDBusConnection bus);
    // Gives the name back.
    void stop();
    bool isOffered() const { return m_offered; }

public slots:
    Q_SCRIPTABLE void MakeCall(const QString& destination);
    Q_SCRIPTABLE void RequestMakeCall(const QString& destination, const QString& calledParty, const QString& comment);

signals:
    void makeCallRequested(const QString& destination);

private:
    void refuse(const QString& why);

    QDBusConnection m_bus;
    bool m_offered = false;
};
