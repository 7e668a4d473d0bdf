#include "sms/SmsReception.h"

#include "settings/SmsWireText.h"

SmsReception::SmsReception(Delivery deliver, std::function<QDateTime()> now)
    : m_deliver(std::move(deliver))
    , m_now(std::move(now))
{
}

void SmsReception::take(const GateLines::IncomingSegment& segment)
{
    // A message of one segment never joins another, even one that looks the same.
    if (m_first && (segment.total < 2 || !m_first->sameMessageAs(segment))) {
        deliverBuffered();
    }
    if (!m_first) {
        load(segment);
    }
    if (!m_texts.contains(segment.number)) {
        m_texts.insert(segment.number, segment.text);
    }
    if (m_texts.size() >= m_first->total) {
        deliverBuffered();
    }
}

void SmsReception::flush()
{
    if (m_first) {
        deliverBuffered();
    }
}

void SmsReception::load(const GateLines::IncomingSegment& segment)
{
    m_first = segment;
    m_arrived = m_now();
    m_texts.clear();
}

void SmsReception::deliverBuffered()
{
    QString wire;
    for (const QString& text : std::as_const(m_texts)) {
        wire += text;
    }
    ReceivedSms message;
    message.sender = m_first->sender;
    message.when = m_first->stamped.isValid() ? m_first->stamped : m_arrived;
    message.reference = m_first->reference;
    message.text = SmsWireText::decode(wire, false);
    message.complete = m_texts.size() >= m_first->total;
    m_first.reset();
    m_texts.clear();
    m_deliver(message);
}
