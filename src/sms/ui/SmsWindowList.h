#pragma once

#include "sms/GateLines.h"
#include "sms/SmsBookPort.h"
#include "sms/SmsContactPort.h"
#include "sms/SmsReception.h"

#include <QList>
#include <QObject>
#include <QTime>
#include <functional>

class GateLink;
class TReceive;
class TSMSfrWindow;
struct SettingsRecord;

// The open SMS windows of the program: at most ten compose windows at a time, one window for each received
// message, and the delivery reports passed to the compose window that sent the segment.
class SmsWindowList final : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxComposeWindows = 10;

    struct Services {
        std::function<QString(const QString& number)> nameOf;    // from the phone books; empty when unknown
        std::function<QString(const QString& number)> normalise; // the history's form of a number
        std::function<QTime()> now;
        SmsBookPort* books = nullptr;       // where compose windows pick recipients from
        SmsContactPort* contacts = nullptr; // where their number fields add numbers to a phone book
    };

    SmsWindowList(const SettingsRecord& settings, GateLink& link, Services services, QObject* parent = nullptr);
    ~SmsWindowList() override;

    // A new compose window, shown; null when ten are open already (the user is told).
    TSMSfrWindow* openCompose(const QString& name = {}, const QString& number = {});
    TReceive* showReceived(const ReceivedSms& message);
    // "Report:", the time and the outcome, in the row of the recipient the segment went to.
    void showReport(const GateLines::DeliveryReport& report);

    qsizetype composeCount() const { return m_compose.size(); }
    qsizetype receivedCount() const { return m_received.size(); }

signals:
    void tooManyWindows(const QString& text);

private:
    const SettingsRecord& m_settings;
    GateLink& m_link;
    Services m_services;
    QList<TSMSfrWindow*> m_compose; // each leaves the list as it is destroyed
    QList<TReceive*> m_received;
};
