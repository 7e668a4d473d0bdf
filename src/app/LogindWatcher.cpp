#include "app/LogindWatcher.h"

#include <QDebug>

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString Path = QStringLiteral("/org/freedesktop/login1");
const QString Interface = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

LogindWatcher::LogindWatcher(QDBusConnection bus, QObject* parent)
    : QObject(parent)
{
    if (!bus.isConnected()) {
        qInfo() << "No system bus; the program is not told of suspend, resume and shutdown";
        return;
    }
    m_watching = bus.connect(Service, Path, Interface, QStringLiteral("PrepareForSleep"), this,
                             SLOT(onPrepareForSleep(bool))) &&
                 bus.connect(Service, Path, Interface, QStringLiteral("PrepareForShutdown"), this,
                             SLOT(onPrepareForShutdown(bool)));
}

void LogindWatcher::onPrepareForSleep(bool sleeping)
{
    if (!sleeping) {
        emit resumed();
    }
}

void LogindWatcher::onPrepareForShutdown(bool shuttingDown)
{
    if (shuttingDown) {
        emit shutdownComing();
    }
}
