#pragma once

#include <QDBusConnection>
#include <QObject>

// Tells what logind announces on the system bus: the computer waking from suspend (PrepareForSleep false; network
// links are stale after a sleep and must be made afresh) and the computer about to shut down or reboot
// (PrepareForShutdown true; the program closes in order while it still can). Without a bus or logind it simply
// never fires.
class LogindWatcher final : public QObject {
    Q_OBJECT

public:
    explicit LogindWatcher(QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

    bool isWatching() const { return m_watching; }

signals:
    void resumed();
    void shutdownComing();

private slots:
    // Connected by name: each D-Bus signal carries one boolean, true before the event and false after it.
    void onPrepareForSleep(bool sleeping);
    void onPrepareForShutdown(bool shuttingDown);

private:
    bool m_watching = false;
};
