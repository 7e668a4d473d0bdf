#pragma once

#include "sms/GateLines.h"

#include <QDateTime>

class Clock;
class SmsHistoryPort;
struct SettingsRecord;

// Writes what the gate link reports into the history: a sent segment when the centre answers, the new state of
// its row when the report comes. Numbers are kept in the form the settings' country code gives them.
class SmsHistoryWriter final {
public:
    // The clock gives the time of rows whose message carries none.
    SmsHistoryWriter(const SettingsRecord& settings, SmsHistoryPort& history, const Clock& clock);

    void centreAnswered(const GateLines::CentreAnswer& answer, const QString& number, const QString& text);
    void deliveryReported(const GateLines::DeliveryReport& report);
    void messageReceived(const QDateTime& when, int reference, const QString& number, const QString& text);

    QString normalised(const QString& number) const;

private:
    const SettingsRecord& m_settings;
    SmsHistoryPort& m_history;
    const Clock& m_clock;
};
