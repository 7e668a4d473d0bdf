#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace pbxsim {

// Cuts a byte stream into lines: any byte below 32 ends a line, and empty lines are dropped (so CR LF NUL and a
// bare keep-alive yield nothing). A line that grows past the limit without an end is cut there, so a peer that
// never ends its line cannot make the buffer grow without bound.
class LineSplitter final {
public:
    explicit LineSplitter(qsizetype maxLineLength = 4096);

    // Appends bytes and returns the lines they complete, in order.
    QList<QByteArray> feed(QByteArrayView bytes);
    // At the end of the stream: the unfinished last line, if any.
    QByteArray takeRest();

private:
    QByteArray m_pending;
    qsizetype m_maxLineLength;
};

} // namespace pbxsim
