#include "desktop/MakeCallService.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusReply>
#include <QDebug>
#include <algorithm>

MakeCallService::MakeCallService(QObject* parent)
    : QObject(parent)
    , m_bus(QString())
{
}

MakeCallService::~MakeCallService()
{
    stop();
}

bool MakeCallService::start(QDBusConnection bus)
{
    stop();
    if (!bus.isConnected()) {
        qInfo() << "No session bus; other programs cannot ask for calls";
        return false;
    }
    const QString service = QString::fromUtf16(ServiceName);
    const QString path = QString::fromUtf16(ObjectPath);
    if (!bus.registerObject(path, this, QDBusConnection::ExportScriptableSlots)) {
        qWarning().noquote() << "Cannot offer" << path << "on the session bus:" << bus.lastError().message();
        return false;
    }
    // Queueing is refused: a name that another client owns stays with it, and this one offers nothing.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
        service, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        qWarning().noquote() << "The session bus name" << service
                             << "belongs to another program; other programs' call requests go there";
        bus.unregisterObject(path);
        return false;
    }
    m_bus = bus;
    m_offered = true;
    return true;
}

void MakeCallService::stop()
{
    if (!m_offered) {
        return;
    }
    m_bus.unregisterService(QString::fromUtf16(ServiceName));
    m_bus.unregisterObject(QString::fromUtf16(ObjectPath));
    m_offered = false;
}

void MakeCallService::MakeCall(const QString& destination)
{
    RequestMakeCall(destination, QString(), QString());
}

void MakeCallService::RequestMakeCall(const QString& destination, const QString& calledParty, const QString& comment)
{
    const QString trimmed = destination.trimmed();
    if (trimmed.isEmpty()) {
        refuse(QStringLiteral("The destination is empty"));
        return;
    }
    if (trimmed.size() > DestinationLength || calledParty.size() > CalledPartyLength ||
        comment.size() > CommentLength) {
        refuse(QStringLiteral("A field is longer than the request holds (destination %1, called party %2, comment "
                              "%3 characters)")
                   .arg(DestinationLength)
                   .arg(CalledPartyLength)
                   .arg(CommentLength));
        return;
    }
    if (std::any_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) { return c.category() == QChar::Other_Control; })) {
        refuse(QStringLiteral("The destination holds control characters"));
        return;
    }
    emit makeCallRequested(trimmed);
}

void MakeCallService::refuse(const QString& why)
{
    qWarning().noquote() << "Call request refused:" << why;
    if (calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, why);
    }
}
