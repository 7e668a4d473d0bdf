#include "sms/SmsHistoryWriter.h"

#include "settings/Clock.h"
#include "settings/SettingsRecord.h"
#include "sms/SmsHistoryPort.h"
#include "sms/SmsNumber.h"

SmsHistoryWriter::SmsHistoryWriter(const SettingsRecord& settings, SmsHistoryPort& history, const Clock& clock)
    : m_settings(settings)
    , m_history(history)
    , m_clock(clock)
{
}

QString SmsHistoryWriter::normalised(const QString& number) const
{
    return SmsNumber::normalise(number, m_settings.Sms.SmsKier, m_settings.Sms.SmsAddCountry);
}

void SmsHistoryWriter::centreAnswered(const GateLines::CentreAnswer& answer, const QString& number, const QString& text)
{
    m_history.addMessage(answer.accepted ? SmsKind::Sent : SmsKind::Refused, m_clock.now(),
                         answer.accepted ? answer.reference : 0, normalised(number), text);
}

void SmsHistoryWriter::deliveryReported(const GateLines::DeliveryReport& report)
{
    using Outcome = GateLines::DeliveryReport::Outcome;
    if (report.outcome == Outcome::Unknown) {
        return;
    }
    m_history.setState(report.reference,
                       report.outcome == Outcome::Delivered ? SmsKind::Delivered : SmsKind::NotDelivered);
}

void SmsHistoryWriter::messageReceived(const QDateTime& when, int reference, const QString& number, const QString& text)
{
    m_history.addMessage(SmsKind::Received, when.isValid() ? when : m_clock.now(),
                         reference + SmsKind::ReceivedReferenceOffset, normalised(number), text);
}
