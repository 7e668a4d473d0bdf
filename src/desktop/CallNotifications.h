#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// Desktop notifications of the extension's calls through org.freedesktop.Notifications: a ringing call with the
// caller's name and number and the actions "Answer" and "Reject", replaced by the conversation when it is
// answered and by "Missed call" when it ends unanswered, withdrawn when an answered call ends. They add to the
// telephone window. Without a notification service nothing is shown.
class CallNotifications final : public QObject {
    Q_OBJECT

public:
    static constexpr char16_t AnswerAction[] = u"answer";
    static constexpr char16_t RejectAction[] = u"reject";

    explicit CallNotifications(QDBusConnection bus, QObject* parent = nullptr);

    void ringing(const QString& name, const QString& number);
    void answered();
    // The call ended; missed when it was never answered.
    void ended();

    // The notification shown now; 0 when none.
    uint shownId() const { return m_id; }

signals:
    void answerRequested();
    void rejectRequested();

private slots:
    // Connected by name: the service's signals.
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    void notify(const QString& summary, const QString& body, const QStringList& actions, uchar urgency);
    void close();

    QDBusConnection m_bus;
    uint m_id = 0;
    bool m_ringing = false;
    bool m_answered = false;
    QString m_caller;
};
