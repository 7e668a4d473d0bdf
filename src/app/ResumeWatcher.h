#pragma once

#include <QObject>

// Tells when the computer wakes from suspend, from logind's PrepareForSleep signal on the system bus. Network
// links are stale after a sleep and must be made afresh. Without a system bus or logind it simply never fires.
class ResumeWatcher final : public QObject {
    Q_OBJECT

public:
    explicit ResumeWatcher(QObject* parent = nullptr);

    bool isWatching() const { return m_watching; }

signals:
    void resumed();

private slots:
    // Connected by name: the D-Bus signal carries one boolean, true before sleeping and false after waking.
    void onPrepareForSleep(bool sleeping);

private:
    bool m_watching = false;
};
