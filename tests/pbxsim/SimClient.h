#pragma once

#include "settings/CodePage.h"

#include <QByteArray>
#include <QStringList>
#include <QTcpSocket>
#include <QTest>
#include <initializer_list>

// Expected wire lines, written as plain literals.
inline QStringList wireLines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts) {
        list.append(QString::fromUtf8(text));
    }
    return list;
}

// A protocol client for the stand-in's tests: sends commands the way the telephone client does (CR LF NUL) and
// collects the received lines (any byte below 32 ends one).
class SimClient final {
public:
    explicit SimClient(quint16 port)
    {
        m_socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        m_connected = m_socket.waitForConnected(2000);
    }

    bool isConnected() const { return m_connected; }
    QTcpSocket& socket() { return m_socket; }

    // The commands go out in one write, so the stand-in reads them together.
    void send(const QStringList& commands)
    {
        QByteArray bytes;
        for (const QString& command : commands) {
            bytes += CodePage::toWindows1250(command) + QByteArray("\r\n\0", 3); // CR LF NUL
        }
        m_socket.write(bytes);
        m_socket.flush();
    }

    void send(const QString& command) { send(QStringList{command}); }

    // Waits until count more lines have arrived (or a second has passed) and returns them.
    QStringList take(qsizetype count)
    {
        // A timeout shows as fewer lines, which the caller compares.
        static_cast<void>(QTest::qWaitFor([&] { return readLines() >= count; }, 1000));
        const QStringList lines = m_lines.mid(0, count);
        m_lines.remove(0, qMin(count, m_lines.size()));
        return lines;
    }

    // Sends a command and returns the next count lines.
    QStringList exchange(const QString& command, qsizetype count)
    {
        send(command);
        return take(count);
    }

    // True when nothing more arrives within the given time.
    bool staysQuiet(int milliseconds)
    {
        QTest::qWait(milliseconds);
        return readLines() == 0;
    }

    QByteArray rawBytes() const { return m_raw; }

    bool login(const QString& extension, const QString& pin)
    {
        const QStringList reply = exchange(QStringLiteral("aLOGI %1 %2").arg(extension, pin), 1);
        return reply.size() == 1 && reply[0].startsWith(QLatin1String("aOK"));
    }

private:
    qsizetype readLines()
    {
        const QByteArray bytes = m_socket.readAll();
        m_raw += bytes;
        for (const char byte : bytes) {
            if (static_cast<unsigned char>(byte) >= 32) {
                m_partial += byte;
            } else if (!m_partial.isEmpty()) {
                m_lines.append(CodePage::fromWindows1250(m_partial));
                m_partial.clear();
            }
        }
        return m_lines.size();
    }

    QTcpSocket m_socket;
    bool m_connected = false;
    QByteArray m_raw;
    QByteArray m_partial;
    QStringList m_lines;
};
