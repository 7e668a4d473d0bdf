#include "sms/SmsSegmenter.h"

#include "settings/SmsWireText.h"

namespace {

constexpr QChar CarriageReturn = u'\r';
constexpr QChar LineFeed = u'\n';
constexpr QChar Backslash = u'\\';
constexpr int WideningCutsBy = SmsSegmenter::PlainCapacity - SmsSegmenter::WideCapacity;

} // namespace

QString SmsSegmenter::withLineBreaks(const QString& text)
{
    if (!text.contains(CarriageReturn) && !text.contains(LineFeed)) {
        return text;
    }
    QString result;
    result.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        if (character == CarriageReturn || character == LineFeed) {
            result += u"\r\n";
            if (character == CarriageReturn && i + 1 < text.size() && text.at(i + 1) == LineFeed) {
                ++i;
            }
        } else {
            result += character;
        }
    }
    return result;
}

SmsSegmenter::Count SmsSegmenter::count(const QString& text)
{
    Count result;
    if (text.isEmpty()) {
        return result;
    }
    result.segments = 1;
    result.wireStarts.append(0);
    result.textStarts.append(0);
    int left = PlainCapacity;
    int position = 0;
    bool wide = false;
    qsizetype extra = 0;
    const auto beginSegment = [&](qsizetype i) {
        ++result.segments;
        result.wireStarts.append(i + extra);
        result.textStarts.append(i);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        const bool nonAscii = character.unicode() >= 0x80;
        if (left <= 0) {
            beginSegment(i);
            wide = false;
            left += PlainCapacity;
            position = 0;
        }
        if (position >= WideCapacity && nonAscii && !wide) {
            beginSegment(i);
            wide = true;
            left = WideCapacity;
            position = 0;
        }
        if (position <= WideCapacity && nonAscii && !wide) {
            wide = true;
            left -= WideningCutsBy;
        }
        // A line break or a doubled backslash at the last place of a segment moves whole into the next one.
        if (left == 1 && (character == CarriageReturn || character == Backslash)) {
            beginSegment(i);
            wide = false;
            left += PlainCapacity - 1;
            position = 1;
        }
        if (character == Backslash) {
            ++extra;
            --left;
        }
        ++position;
        --left;
    }
    result.left = left;
    result.wireLength = text.size() + extra;
    return result;
}

QString SmsSegmenter::limited(const QString& text)
{
    const Count counted = count(text);
    if (counted.segments <= MaxSegments) {
        return text;
    }
    // The count of a text's beginning is the beginning of its count, so the ninth segment's start is the cut.
    return text.left(counted.textStarts.at(MaxSegments));
}

QStringList SmsSegmenter::cut(const QString& text)
{
    const Count counted = count(text);
    if (counted.segments == 0) {
        return {QString()};
    }
    const QString wire = SmsWireText::encode(text, false);
    QStringList segments;
    for (qsizetype k = 0; k < counted.wireStarts.size(); ++k) {
        const qsizetype start = counted.wireStarts.at(k);
        const qsizetype end = k + 1 < counted.wireStarts.size() ? counted.wireStarts.at(k + 1) : wire.size();
        segments.append(wire.mid(start, end - start));
    }
    return segments;
}
