#pragma once

#include "sms/GatePorts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class GateLink;

// One SMS window's sending of one message to its recipients, segment by segment, driven by the window's sending
// timer: it waits until the link is free and claims it, sends a segment, waits for the centre's answer, and goes
// on. A failure keeps the message and the place it got to, so "Send again" carries on from there.
class SmsSending final : public GateSendListener {
public:
    enum class State { Idle, WaitingForLink, Sending, Finished, Failed, Cancelled };

    struct Recipient {
        QString name;
        QString number;
        QString status;
        QList<int> references; // ZlecenieID: the centre's reference of each segment
    };

    struct Message {
        QStringList segments; // wire form
        bool flash = false;
        int validity = 0;
    };

    SmsSending(GateLink& link, std::function<void()> changed);
    ~SmsSending() override;

    // Starts sending, or carries on after a failure; the recipients are kept with their states.
    void start(const Message& message, const QList<Recipient>& recipients);
    void resume();
    void cancel();
    // One tick of the sending timer.
    void tick();

    State state() const { return m_state; }
    bool isBusy() const { return m_state == State::WaitingForLink || m_state == State::Sending; }
    const QList<Recipient>& recipients() const { return m_recipients; }
    // "Sending k of n" while sending; the outcome afterwards.
    QString progress() const { return m_progress; }
    int sentCount() const { return m_sent; }
    int refusedCount() const { return m_refused; }
    int totalSegments() const;

    // A text of the centre or a report for the segment with that reference: shown in its recipient's status.
    bool showForReference(int reference, const QString& text);

    // GateSendListener
    void segmentAccepted(int reference) override;
    void segmentRejected() override;
    void sendFailed(const QString& reason) override;

private:
    void sendNext();
    void finish(State state, const QString& progress);
    void stepOn();

    GateLink& m_link;
    std::function<void()> m_changed;
    Message m_message;
    QList<Recipient> m_recipients;
    State m_state = State::Idle;
    qsizetype m_recipient = 0;
    qsizetype m_segment = 0;
    bool m_inFlight = false;
    int m_sent = 0;
    int m_refused = 0;
    QString m_progress;
};
