#include "desktop/PortalHotKey.h"

#include "settings/Lang.h"

#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString SessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// The keysym names of xkbcommon for the keys HotKeyChoice gives.
QString keysymName(unsigned long keysym)
{
    if ((keysym >= 0x30 && keysym <= 0x39) || (keysym >= 0x61 && keysym <= 0x7a)) {
        return QString(QChar(static_cast<char16_t>(keysym)));
    }
    switch (keysym) {
    case 0xffaa:
        return QStringLiteral("KP_Multiply");
    case 0xff14:
        return QStringLiteral("Scroll_Lock");
    case 0xff61:
        return QStringLiteral("Print");
    default:
        return QString();
    }
}

QString pathText(const QVariant& value)
{
    return value.metaType() == QMetaType::fromType<QDBusObjectPath>() ? value.value<QDBusObjectPath>().path()
                                                                      : value.toString();
}

} // namespace

void PortalShortcut::registerType()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

PortalHotKey::PortalHotKey(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    PortalShortcut::registerType();
    // Every request's Response: the one awaited is told by its path, so that a Response sent before the call's
    // own reply arrives is not missed.
    m_bus.connect(PortalService, QString(), RequestInterface, QStringLiteral("Response"), this,
                  SLOT(onResponse(QDBusMessage)));
    m_bus.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusMessage)));
}

PortalHotKey::~PortalHotKey()
{
    release();
}

QString PortalHotKey::triggerText(const HotKeyChoice& choice)
{
    const QString key = keysymName(choice.keysym);
    if (key.isEmpty()) {
        return QString();
    }
    return choice.controlAlt ? QStringLiteral("CTRL+ALT+") + key : key;
}

void PortalHotKey::bind(const HotKeyChoice& choice)
{
    release();
    m_trigger = triggerText(choice);
    if (m_trigger.isEmpty()) {
        fail(QStringLiteral("the key has no name in the portal's shortcut syntax"));
        return;
    }
    m_step = Step::CreatingSession;
    const QString token = nextToken();
    callPortal(QStringLiteral("CreateSession"),
               {QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), token}}},
               token);
}

void PortalHotKey::release()
{
    if (m_step == Step::CreatingSession && !m_request.isEmpty()) {
        m_abandonedSessionRequests.append(m_request);
    }
    if (!m_session.isEmpty()) {
        closeSession(m_session);
    }
    m_step = Step::Idle;
    m_request.clear();
    m_session.clear();
    m_bound = false;
}

void PortalHotKey::closeSession(const QString& session)
{
    m_bus.asyncCall(QDBusMessage::createMethodCall(PortalService, session, SessionInterface, QStringLiteral("Close")));
}

QString PortalHotKey::nextToken()
{
    return QStringLiteral("tervo_%1_%2").arg(reinterpret_cast<quintptr>(this)).arg(++m_tokens);
}

QString PortalHotKey::requestPath(const QString& token) const
{
    QString sender = m_bus.baseService();
    sender.remove(0, 1).replace(u'.', u'_');
    return PortalPath + QStringLiteral("/request/") + sender + u'/' + token;
}

void PortalHotKey::callPortal(const QString& method, const QVariantList& arguments, const QString& token)
{
    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath, ShortcutsInterface, method);
    call.setArguments(arguments);
    m_request = requestPath(token);
    const QString awaited = m_request;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, awaited] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (m_request != awaited) {
            // Released or replaced meanwhile; a session refused needs no closing.
            if (reply.isError()) {
                m_abandonedSessionRequests.removeOne(awaited);
            }
            return;
        }
        if (reply.isError()) {
            fail(reply.error().name() + u' ' + reply.error().message());
            return;
        }
        // An older portal names the request object itself.
        m_request = reply.value().path();
    });
}

void PortalHotKey::onResponse(const QDBusMessage& message)
{
    if (m_abandonedSessionRequests.removeOne(message.path())) {
        const QVariantList arguments = message.arguments();
        if (arguments.size() >= 2 && arguments.at(0).toUInt() == 0) {
            const QString session =
                pathText(qdbus_cast<QVariantMap>(arguments.at(1)).value(QStringLiteral("session_handle")));
            if (!session.isEmpty()) {
                closeSession(session);
            }
        }
        return;
    }
    if (m_request.isEmpty() || message.path() != m_request) {
        return;
    }
    m_request.clear();
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || !arguments.at(0).canConvert<uint>()) {
        fail(QStringLiteral("a malformed Response"));
        return;
    }
    const uint code = arguments.at(0).toUInt();
    if (code != 0) {
        fail(QStringLiteral("the portal refused (response %1)").arg(code));
        return;
    }
    const QVariantMap results = qdbus_cast<QVariantMap>(arguments.at(1));
    if (m_step == Step::CreatingSession) {
        sessionCreated(results);
    } else if (m_step == Step::Binding) {
        m_step = Step::Idle;
        m_bound = true;
        emit bound();
    }
}

void PortalHotKey::sessionCreated(const QVariantMap& results)
{
    m_session = pathText(results.value(QStringLiteral("session_handle")));
    if (m_session.isEmpty()) {
        fail(QStringLiteral("no session handle"));
        return;
    }
    m_step = Step::Binding;
    const PortalShortcut shortcut{QString::fromUtf16(ShortcutId),
                                  {{QStringLiteral("description"), Lang::_("Show or hide the telephone window")},
                                   {QStringLiteral("preferred_trigger"), m_trigger}}};
    const QString token = nextToken();
    callPortal(QStringLiteral("BindShortcuts"),
               {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(QList<PortalShortcut>{shortcut}),
                QString(), QVariantMap{{QStringLiteral("handle_token"), token}}},
               token);
}

void PortalHotKey::onActivated(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (!m_bound || arguments.size() < 2) {
        return;
    }
    if (pathText(arguments.at(0)) == m_session && arguments.at(1).toString() == QString::fromUtf16(ShortcutId)) {
        emit pressed();
    }
}

void PortalHotKey::fail(const QString& why)
{
    qDebug() << "The portal's global shortcut:" << why;
    release();
    emit unavailable();
}
