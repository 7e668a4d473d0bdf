#pragma once

#include "sms/GateLines.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <functional>
#include <optional>

// A message as the user reads it: its segments joined and the wire form turned back into text.
struct ReceivedSms {
    QString sender; // the number as the gate gave it
    QDateTime when;
    int reference = 0;
    QString text;
    bool complete = true;
};

// Joins the segments of incoming messages. One message is joined at a time: its segments are placed by their
// numbers, so the order they arrive in does not matter, and a segment that comes twice counts once. The message
// is delivered as soon as all its segments are in; a segment of another message delivers the buffered one as it
// stands (marked incomplete) and takes its place, so that nothing already received is lost.
class SmsReception final {
public:
    using Delivery = std::function<void(const ReceivedSms&)>;

    SmsReception(Delivery deliver, std::function<QDateTime()> now);

    // segment.text is in its wire form, already in the user's code page.
    void take(const GateLines::IncomingSegment& segment);
    // Delivers the buffered message as it stands; used when the link goes away for good.
    void flush();

    bool isWaiting() const { return m_first.has_value(); }

private:
    void load(const GateLines::IncomingSegment& segment);
    void deliverBuffered();

    Delivery m_deliver;
    std::function<QDateTime()> m_now;
    std::optional<GateLines::IncomingSegment> m_first; // the message's identity and its first segment's stamp
    QDateTime m_arrived;
    QMap<int, QString> m_texts; // wire texts by segment number
};
