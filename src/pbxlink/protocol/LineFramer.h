#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The byte framing of the PBX link. From the exchange, any byte below 32 ends a line (so CR, LF, CR LF and NUL
// all do) and empty lines vanish; bytes from 128 up are text. A line may arrive split over any number of reads.
// To the exchange, a command is its bytes followed by CR, LF and NUL.
class LineFramer final {
public:
    // Adds received bytes and appends every line they complete to completed.
    void feed(QByteArrayView bytes, QList<QByteArray>& completed);

    void clear() { m_line.clear(); }
    bool hasPartialLine() const { return !m_line.isEmpty(); }

    static QByteArray frame(QByteArrayView command);

private:
    QByteArray m_line;
};
