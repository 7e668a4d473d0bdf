#pragma once

#include "sms/GateLinkObserver.h"
#include "sms/GatePorts.h"
#include "sms/GateTexts.h"

#include <QList>
#include <QMap>
#include <QStringList>

// Recording stand-ins for the ports of the gate link, shared by its tests. The timers are fired by the test.

class RecordingGateSocket final : public GateSocket {
public:
    bool open(const QString& host, int port) override
    {
        opens.append(host + u':' + QString::number(port));
        return true;
    }
    void close() override
    {
        connected = false;
        ++closes;
    }
    bool isConnected() const override { return connected; }
    QString remoteAddress() const override { return QStringLiteral("127.0.0.1"); }
    bool writeLine(const QString& line) override
    {
        written.append(line);
        return connected;
    }

    bool connected = false;
    QStringList opens;
    QStringList written;
    int closes = 0;
};

class RecordingGateObserver final : public GateLinkObserver {
public:
    void consoleLine(const QString& line, GateColour colour) override { console.append({line, colour}); }
    void statusChanged(const QString& text, GateColour) override { statuses.append(text); }
    void gateNumberChanged(const QString& number) override { gateNumber = number; }
    void showMessage(const QString& text) override { messages.append(text); }
    void centreAnswered(const GateLines::CentreAnswer& answer, const QString& number, const QString& wireText) override
    {
        answers.append(answer);
        answeredNumbers.append(number + u'|' + wireText);
    }
    void deliveryReported(const GateLines::DeliveryReport& report) override { reports.append(report); }
    void segmentArrived(const GateLines::IncomingSegment& segment) override { segments.append(segment); }

    QStringList consoleText() const
    {
        QStringList lines;
        for (const auto& line : console) {
            lines.append(line.first);
        }
        return lines;
    }

    QList<QPair<QString, GateColour>> console;
    QStringList statuses;
    QString gateNumber;
    QStringList messages;
    QList<GateLines::CentreAnswer> answers;
    QStringList answeredNumbers;
    QList<GateLines::DeliveryReport> reports;
    QList<GateLines::IncomingSegment> segments;
};

class PlainGateTexts final : public GateTexts {
public:
    QString loginRefusal(int code) const override { return QStringLiteral("login refused ") + QString::number(code); }
    QString loginError() const override { return QStringLiteral("login error"); }
    std::optional<QString> commandRefusal(int code) const override
    {
        return code == 7 ? std::optional<QString>(QStringLiteral("Invalid number")) : std::nullopt;
    }
    SocketError socketError(QAbstractSocket::SocketError error, QAbstractSocket::SocketState) const override
    {
        return {QStringLiteral("Connect error: ") + QString::number(error), QStringLiteral("socket failed")};
    }
};

class RecordingSendListener final : public GateSendListener {
public:
    void segmentAccepted(int reference) override { accepted.append(reference); }
    void segmentRejected() override { ++rejected; }
    void sendFailed(const QString& reason) override { failures.append(reason); }

    QList<int> accepted;
    int rejected = 0;
    QStringList failures;
};
