#include "sms/TToSMS.h"

#include "settings/CodePage.h"
#include "settings/Lang.h"
#include "settings/SmsWireText.h"
#include "sms/GateTexts.h"

TToSMS::TToSMS(const SettingsRecord& settings, const GateTexts& texts, std::function<int(int)> random, QObject* parent)
    : QObject(parent)
    , m_texts(texts)
    , m_timers(this, [this](GateTimer which) { m_link.onTimer(which); })
    , m_link({settings, *this, m_timers, *this, texts, std::move(random)})
{
    connect(&m_socket, &QTcpSocket::connected, this, [this] { m_link.onConnected(); });
    connect(&m_socket, &QTcpSocket::readyRead, this, &TToSMS::readSocket);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TToSMS::onSocketError);
    connect(&m_socket, &QTcpSocket::disconnected, this, &TToSMS::onDisconnected);
}

TToSMS::~TToSMS()
{
    m_closingOnPurpose = true;
    m_socket.abort();
}

bool TToSMS::open(const QString& host, int port)
{
    if (port <= 0 || port > 65535) {
        return false;
    }
    // An attempt still under way gives way to the new one; Qt would otherwise ignore the new one.
    m_closingOnPurpose = true;
    m_socket.abort();
    m_framer.clear();
    m_closingOnPurpose = false;
    m_socket.connectToHost(host, static_cast<quint16>(port));
    return true;
}

void TToSMS::close()
{
    m_closingOnPurpose = true;
    m_socket.abort();
    m_framer.clear();
}

bool TToSMS::isConnected() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

QString TToSMS::remoteAddress() const
{
    return m_socket.peerName().isEmpty() ? m_socket.peerAddress().toString() : m_socket.peerName();
}

bool TToSMS::writeLine(const QString& line)
{
    const QByteArray framed = GateLineFramer::frame(encode(line));
    return m_socket.write(framed) == framed.size();
}

void TToSMS::consoleLine(const QString& line, GateColour colour)
{
    emit consoleWritten(line, colour);
}

void TToSMS::statusChanged(const QString& text, GateColour colour)
{
    emit statusUpdated(text, colour);
}

void TToSMS::gateNumberChanged(const QString& number)
{
    emit gateNumberShown(number);
}

void TToSMS::showMessage(const QString& text)
{
    emit userMessage(text);
}

void TToSMS::centreAnswered(const GateLines::CentreAnswer& answer, const QString& number, const QString& wireText)
{
    emit centreAnswer(answer, number, SmsWireText::decode(wireText, false));
}

void TToSMS::deliveryReported(const GateLines::DeliveryReport& report)
{
    emit deliveryReport(report);
}

void TToSMS::segmentArrived(const GateLines::IncomingSegment& segment)
{
    emit incomingSegment(segment);
}

void TToSMS::readSocket()
{
    const QList<QByteArray> lines = m_framer.feed(m_socket.readAll());
    for (const QByteArray& bytes : lines) {
        m_link.onLine(decode(bytes));
        if (!isConnected()) {
            return;
        }
    }
}

void TToSMS::onSocketError(QAbstractSocket::SocketError error)
{
    if (m_closingOnPurpose || error == QAbstractSocket::RemoteHostClosedError) {
        return;
    }
    m_link.onSocketError(m_texts.socketError(error, m_socket.state()));
}

void TToSMS::onDisconnected()
{
    if (m_closingOnPurpose) {
        return;
    }
    m_link.onClosedByServer();
}

QByteArray TToSMS::encode(const QString& text) const
{
    return m_polish.value_or(Lang::isPolish()) ? CodePage::toCp852(text) : CodePage::toWindows1250(text);
}

QString TToSMS::decode(QByteArrayView bytes) const
{
    return m_polish.value_or(Lang::isPolish()) ? CodePage::fromCp852(bytes) : CodePage::fromWindows1250(bytes);
}
