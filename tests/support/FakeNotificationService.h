#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// org.freedesktop.Notifications as a test plays it: every Notify and CloseNotification kept, ids counted from 1,
// and the user's click on an action sent as the service's signal.
class FakeNotificationService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown {
        uint id = 0;
        uint replaces = 0;
        QString summary;
        QString body;
        QStringList actions;
    };

    bool offer(QDBusConnection bus)
    {
        return bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                  QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) &&
               bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    QList<Shown> shown;
    QList<uint> closed;

public slots:
    uint Notify(const QString&, uint replaces, const QString&, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap&, int)
    {
        const uint id = replaces != 0 ? replaces : ++m_lastId;
        shown.append({id, replaces, summary, body, actions});
        return id;
    }
    void CloseNotification(uint id) { closed.append(id); }

signals:
    void ActionInvoked(uint id, const QString& action);
    void NotificationClosed(uint id, uint reason);

private:
    uint m_lastId = 0;
};
