#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The byte framing of the gate link. Bytes from 0x20 up, 0x80..0xFF included, belong to the line; any byte below
// 0x20 ends it, and empty lines vanish, so a CR LF pair ends one line. A line may arrive over any number of reads.
// Each command goes out as its bytes and CR LF, in one write.
class GateLineFramer final {
public:
    QList<QByteArray> feed(QByteArrayView bytes);
    void clear() { m_line.clear(); }

    static QByteArray frame(QByteArrayView line);

private:
    QByteArray m_line;
};
