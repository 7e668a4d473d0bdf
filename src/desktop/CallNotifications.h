#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>

class QDBusPendingCallWatcher;

// Desktop notifications of the extension's calls through org.freedesktop.Notifications: a ringing call with the
// caller's name and number and the actions "Answer" and "Reject", replaced by the conversation when it is
// answered and by "Missed call" when it ends unanswered, withdrawn when an answered call ends. They add to the
// telephone window. Without a notification service nothing is shown. The service is never waited for: one notice
// is on its way at a time, and what happens meanwhile is sent once its answer (the id that the next notice
// replaces) has come; a change of one call's notice that a later change of it makes stale is dropped.
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
    // What the service is asked next: a notice that replaces the shown one (or starts a new one), or a withdrawal.
    struct Request {
        bool withdraw = false;
        bool replacesShown = true;
        QString summary;
        QString body;
        QStringList actions;
        uchar urgency = 0;
    };

    void notify(const QString& summary, const QString& body, const QStringList& actions, uchar urgency);
    void close();
    void submit(Request request);
    // Sends the queued requests up to the next notice, whose answer is then awaited.
    void sendQueued();
    void onNotifyAnswered(QDBusPendingCallWatcher* watcher);

    QDBusConnection m_bus;
    uint m_id = 0;
    bool m_waiting = false;
    bool m_newCall = false;
    std::deque<Request> m_queue;
    bool m_ringing = false;
    bool m_answered = false;
    QString m_caller;
};
