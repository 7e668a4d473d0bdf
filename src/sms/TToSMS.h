#pragma once

#include "sms/GateLineFramer.h"
#include "sms/GateLink.h"
#include "sms/GateLinkObserver.h"
#include "sms/GatePorts.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

class GateTexts;
struct SettingsRecord;

// The link to the PBX's GSM gate: its own TCP connection to the exchange's server, its timers, and the code page
// of its texts (852 for Polish users, Windows-1250 otherwise), converted here and nowhere else. What the link
// says goes out as signals.
class TToSMS final : public QObject, private GateSocket, private GateLinkObserver {
    Q_OBJECT

public:
    TToSMS(const SettingsRecord& settings, const GateTexts& texts, std::function<int(int)> random,
           QObject* parent = nullptr);
    ~TToSMS() override;

    GateLink& link() { return m_link; }
    void start(int firstAttemptMs = GateLink::FirstAttemptMs) { m_link.start(firstAttemptMs); }
    QTimer& timer(GateTimer which) { return m_timers.timer(which); }
    // Whether texts go as code page 852; follows the language in use unless a test sets it.
    void setPolish(bool polish) { m_polish = polish; }

signals:
    void consoleWritten(const QString& line, GateColour colour);
    void statusUpdated(const QString& text, GateColour colour);
    void gateNumberShown(const QString& number);
    void userMessage(const QString& text);
    // The wire text is already back in the user's form.
    void centreAnswer(const GateLines::CentreAnswer& answer, const QString& number, const QString& text);
    void deliveryReport(const GateLines::DeliveryReport& report);
    void incomingSegment(const GateLines::IncomingSegment& segment);

private:
    // GateSocket
    bool open(const QString& host, int port) override;
    void close() override;
    bool isConnected() const override;
    QString remoteAddress() const override;
    bool writeLine(const QString& line) override;

    // GateLinkObserver
    void consoleLine(const QString& line, GateColour colour) override;
    void statusChanged(const QString& text, GateColour colour) override;
    void gateNumberChanged(const QString& number) override;
    void showMessage(const QString& text) override;
    void centreAnswered(const GateLines::CentreAnswer& answer, const QString& number, const QString& wireText) override;
    void deliveryReported(const GateLines::DeliveryReport& report) override;
    void segmentArrived(const GateLines::IncomingSegment& segment) override;

    void readSocket();
    void onSocketError(QAbstractSocket::SocketError error);
    void onDisconnected();
    QByteArray encode(const QString& text) const;
    QString decode(QByteArrayView bytes) const;

    const GateTexts& m_texts;
    QTcpSocket m_socket;
    QtNamedTimers<GateTimer, GateTimerCount> m_timers;
    GateLineFramer m_framer;
    GateLink m_link;
    std::optional<bool> m_polish;
    bool m_closingOnPurpose = false;
};
