#include "sms/GateLineFramer.h"

QList<QByteArray> GateLineFramer::feed(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x20) {
            m_line.append(byte);
        } else if (!m_line.isEmpty()) {
            lines.append(std::exchange(m_line, {}));
        }
    }
    return lines;
}

QByteArray GateLineFramer::frame(QByteArrayView line)
{
    return line.toByteArray() + QByteArrayLiteral("\r\n");
}
