#include "app/ResumeWatcher.h"

#include <QDBusConnection>
#include <QDebug>

ResumeWatcher::ResumeWatcher(QObject* parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qInfo() << "No system bus; the link is not told of suspend and resume";
        return;
    }
    m_watching = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                             QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                             SLOT(onPrepareForSleep(bool)));
}

void ResumeWatcher::onPrepareForSleep(bool sleeping)
{
    if (!sleeping) {
        emit resumed();
    }
}
