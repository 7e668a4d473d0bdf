#include "pbxsim/LineSplitter.h"

#include <utility>

namespace pbxsim {

LineSplitter::LineSplitter(qsizetype maxLineLength)
    : m_maxLineLength(maxLineLength)
{
}

QList<QByteArray> LineSplitter::feed(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) < 32) {
            if (!m_pending.isEmpty()) {
                lines.append(m_pending);
                m_pending.clear();
            }
            continue;
        }
        m_pending.append(byte);
        if (m_pending.size() >= m_maxLineLength) {
            lines.append(m_pending);
            m_pending.clear();
        }
    }
    return lines;
}

QByteArray LineSplitter::takeRest()
{
    return std::exchange(m_pending, QByteArray());
}

} // namespace pbxsim
