#include "desktop/CallNotifications.h"

#include "settings/Const.h"
#include "settings/Lang.h"

#include <QDBusMessage>
#include <QDBusReply>
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
        m_id = 0; // a missed call's notice stays; each call has its own
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
    if (!m_bus.isConnected()) {
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(urgency)},
                            {QStringLiteral("category"), QStringLiteral("call.incoming")}};
    message.setArguments({QLatin1String(Const::ApplicationTitle), m_id, QString(), summary, body, actions, hints, 0});
    const QDBusReply<uint> reply = m_bus.call(message, QDBus::Block, CallPatienceMs);
    if (!reply.isValid()) {
        qInfo().noquote() << "No desktop notification:" << reply.error().message();
        m_id = 0;
        return;
    }
    m_id = reply.value();
}

void CallNotifications::close()
{
    if (m_id == 0 || !m_bus.isConnected()) {
        return;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("CloseNotification"));
    message.setArguments({m_id});
    m_bus.call(message, QDBus::Block, CallPatienceMs);
    m_id = 0;
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
