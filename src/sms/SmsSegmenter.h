#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How a message is measured and cut into segments. A segment holds 160 characters, or 70 once it holds a
// character outside ASCII; a line break and a backslash take two characters each (their wire form is "\n" and
// "\\"), and neither is ever split between two segments. A message has at most 8 segments.
//
// A CR without its LF, or an LF without its CR, is taken as a line break: it is counted and sent as one.
class SmsSegmenter final {
public:
    static constexpr int MaxSegments = 8;
    static constexpr int PlainCapacity = 160;
    static constexpr int WideCapacity = 70;

    struct Count {
        int segments = 0;
        int left = PlainCapacity;    // characters left in the last segment
        QList<qsizetype> wireStarts; // where each segment begins in the wire form
        QList<qsizetype> textStarts; // and in the text
        qsizetype wireLength = 0;
    };

    // Lone CRs and LFs become CR LF, as the text will be sent.
    static QString withLineBreaks(const QString& text);
    // The count of text (already with its line breaks).
    static Count count(const QString& text);
    // The text cut back to 8 segments; unchanged when it fits.
    static QString limited(const QString& text);
    // The wire form of each segment; an empty text is one empty segment.
    static QStringList cut(const QString& text);
};
