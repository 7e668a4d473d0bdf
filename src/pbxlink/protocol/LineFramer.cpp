#include "pbxlink/protocol/LineFramer.h"

void LineFramer::feed(QByteArrayView bytes, QList<QByteArray>& completed)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 32) {
            continue;
        }
        m_line.append(bytes.sliced(start, i - start));
        if (!m_line.isEmpty()) {
            completed.append(m_line);
            m_line.clear();
        }
        start = i + 1;
    }
    m_line.append(bytes.sliced(start));
}

QByteArray LineFramer::frame(QByteArrayView command)
{
    QByteArray framed;
    framed.reserve(command.size() + 3);
    framed.append(command);
    framed.append("\r\n", 2);
    framed.append('\0');
    return framed;
}
