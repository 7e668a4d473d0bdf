#include "desktop/CallNotifications.h"

#include "settings/Const.h"
#include "settings/Lang.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
constexpr int CallPatienceMs = 2000;
constexpr uchar NormalUrgency = 1;
constexpr uchar CriticalUrgency = 2;

} // namespace

CallNotifications::CallNotifications(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    if (m_bus.isConnected()) {
        m_bus.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString)));
        m_bus.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                      SLOT(onNotificationClosed(uint, uint)));
    }
}

void CallNotifications::ringing(const QString& name, const QString& number)
{
    if (!m_ringing) {
        m_newCall = true; // a missed call's notice stays; each call has its own
    }
    m_ringing = true;
    m_answered = false;
    m_caller = name.isEmpty() ? number : name + u'\n' + number;
    notify(Lang::_("Incoming call"), m_caller,
           {QString::fromUtf16(AnswerAction), Lang::_("Answer"), QString::fromUtf16(RejectAction), Lang::_("Reject")},
           CriticalUrgency);
}

void CallNotifications::answered()
{
    if (!m_ringing) {
        return;
    }
    m_answered = true;
    notify(Lang::_("Conversation"), m_caller, {}, NormalUrgency);
}

void CallNotifications::ended()
{
    if (!m_ringing) {
        return;
    }
    m_ringing = false;
    if (m_answered) {
        close();
    } else {
        notify(Lang::_("Missed call"), m_caller, {}, NormalUrgency);
    }
}

void CallNotifications::notify(const QString& summary, const QString& body, const QStringList& actions, uchar urgency)
{
    Request request{false, !m_newCall, summary, body, actions, urgency};
    m_newCall = false;
    submit(std::move(request));
}

void CallNotifications::close()
{
    submit(Request{true, true, {}, {}, {}, 0});
}

void CallNotifications::submit(Request request)
{
    if (!m_bus.isConnected()) {
        return;
    }
    if (request.replacesShown && !m_queue.empty()) {
        // Only the latest state of the same call's notice is worth showing.
        request.replacesShown = m_queue.back().replacesShown;
        m_queue.back() = std::move(request);
    } else {
        m_queue.push_back(std::move(request));
    }
    if (!m_waiting) {
        sendQueued();
    }
}

void CallNotifications::sendQueued()
{
    while (!m_queue.empty()) {
        const Request request = std::move(m_queue.front());
        m_queue.pop_front();
        if (!request.replacesShown) {
            m_id = 0;
        }
        if (request.withdraw) {
            if (m_id != 0) {
                QDBusMessage message =
                    QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("CloseNotification"));
                message.setArguments({m_id});
                m_bus.asyncCall(message, CallPatienceMs);
                m_id = 0;
            }
            continue;
        }
        QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
        const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(request.urgency)},
                                {QStringLiteral("category"), QStringLiteral("call.incoming")}};
        message.setArguments({QLatin1String(Const::ApplicationTitle), m_id, QString(), request.summary, request.body,
                              request.actions, hints, 0});
        m_waiting = true;
        auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, CallPatienceMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, &CallNotifications::onNotifyAnswered);
        return;
    }
}

void CallNotifications::onNotifyAnswered(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        qInfo().noquote() << "No desktop notification:" << reply.error().message();
        m_id = 0;
    } else {
        m_id = reply.value();
    }
    m_waiting = false;
    sendQueued();
}

void CallNotifications::onActionInvoked(uint id, const QString& action)
{
    if (id == 0 || id != m_id || !m_ringing || m_answered) {
        return;
    }
    if (action == QStringView(AnswerAction)) {
        emit answerRequested();
    } else if (action == QStringView(RejectAction)) {
        emit rejectRequested();
    }
}

void CallNotifications::onNotificationClosed(uint id, uint)
{
    if (id == m_id) {
        m_id = 0;
    }
}
