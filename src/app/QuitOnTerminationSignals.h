#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop in an orderly way when the desktop session or the user sends SIGTERM, SIGINT or SIGHUP, so
// that the exit steps run as they do on an explicit exit. The signal handler only writes a byte to a socket pair;
// the event loop does the rest.
class QuitOnTerminationSignals final : public QObject {
    Q_OBJECT

public:
    explicit QuitOnTerminationSignals(QObject* parent = nullptr);
    ~QuitOnTerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
