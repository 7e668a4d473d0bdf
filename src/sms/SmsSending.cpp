#include "sms/SmsSending.h"

#include "settings/Lang.h"
#include "sms/GateLink.h"

SmsSending::SmsSending(GateLink& link, std::function<void()> changed)
    : m_link(link)
    , m_changed(std::move(changed))
{
}

SmsSending::~SmsSending()
{
    m_link.forget(this);
}

int SmsSending::totalSegments() const
{
    return static_cast<int>(m_message.segments.size() * m_recipients.size());
}

void SmsSending::start(const Message& message, const QList<Recipient>& recipients)
{
    m_message = message;
    if (m_message.segments.isEmpty()) {
        m_message.segments.append(QString());
    }
    m_recipients = recipients;
    m_recipient = 0;
    m_segment = 0;
    m_sent = 0;
    m_refused = 0;
    resume();
}

void SmsSending::resume()
{
    m_inFlight = false;
    m_state = State::WaitingForLink;
    m_progress = Lang::_("Waiting for the SMS gate");
    m_changed();
}

void SmsSending::cancel()
{
    if (!isBusy()) {
        return;
    }
    finish(State::Cancelled, Lang::_("Sending cancelled"));
}

void SmsSending::tick()
{
    if (m_state == State::WaitingForLink && m_link.claim(this)) {
        m_state = State::Sending;
    }
    if (m_state == State::Sending && !m_inFlight) {
        sendNext();
    }
}

void SmsSending::sendNext()
{
    if (m_segment >= m_message.segments.size()) {
        m_segment = 0;
        ++m_recipient;
    }
    if (m_recipient >= m_recipients.size()) {
        finish(State::Finished, Lang::_("Sending finished"));
        return;
    }
    m_inFlight = true;
    m_link.sendSegment(m_recipients.at(m_recipient).number, m_message.segments.at(m_segment), m_message.flash,
                       m_message.validity);
    const qsizetype done = m_recipient * m_message.segments.size() + m_segment + 1;
    m_progress = Lang::_("Sending ") + QString::number(done) + Lang::_(" of ") + QString::number(totalSegments());
    m_changed();
}

void SmsSending::finish(State state, const QString& progress)
{
    m_state = state;
    m_inFlight = false;
    m_progress = progress;
    m_link.release(this);
    m_changed();
}

void SmsSending::stepOn()
{
    m_inFlight = false;
    ++m_segment;
    m_changed();
}

void SmsSending::segmentAccepted(int reference)
{
    if (m_state != State::Sending || !m_inFlight) {
        return;
    }
    Recipient& recipient = m_recipients[m_recipient];
    recipient.references.append(reference);
    recipient.status = Lang::_("Sms Centre acknowledge");
    ++m_sent;
    stepOn();
}

void SmsSending::segmentRejected()
{
    if (m_state != State::Sending || !m_inFlight) {
        return;
    }
    m_recipients[m_recipient].status = Lang::_("Sms Reject acknowledge");
    ++m_refused;
    stepOn();
}

// The segment in flight did not go: the place stays on it, so "Send again" sends it first.
void SmsSending::sendFailed(const QString& reason)
{
    if (!isBusy()) {
        return;
    }
    if (m_recipient < m_recipients.size()) {
        m_recipients[m_recipient].status = reason;
    }
    finish(State::Failed, reason);
}

bool SmsSending::showForReference(int reference, const QString& text)
{
    for (Recipient& recipient : m_recipients) {
        if (recipient.references.contains(reference)) {
            recipient.status = text;
            m_changed();
            return true;
        }
    }
    return false;
}
