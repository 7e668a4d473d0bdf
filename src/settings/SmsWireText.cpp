#include "settings/SmsWireText.h"

#include "settings/CodePage.h"

namespace SmsWireText {

namespace {

constexpr QChar Backslash = u'\\';
constexpr QChar CarriageReturn = u'\r';
constexpr QChar LineFeed = u'\n';

QString unescape(const QString& wire)
{
    QString text;
    text.reserve(wire.size());
    for (qsizetype i = 0; i < wire.size(); ++i) {
        const QChar character = wire.at(i);
        const QChar next = i + 1 < wire.size() ? wire.at(i + 1) : QChar();
        if (character == Backslash && next == u'n') {
            text += u"\r\n";
            ++i;
        } else if (character == Backslash && next == Backslash) {
            text += Backslash;
            ++i;
        } else {
            text += character;
        }
    }
    return text;
}

QString escape(const QString& text)
{
    QString wire;
    wire.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        if (character == CarriageReturn || character == LineFeed) {
            wire += u"\\n";
            const bool crLf = character == CarriageReturn && i + 1 < text.size() && text.at(i + 1) == LineFeed;
            if (crLf) {
                ++i;
            }
        } else if (character == Backslash) {
            wire += u"\\\\";
        } else {
            wire += character;
        }
    }
    return wire;
}

} // namespace

// The escapes are ASCII, which both code pages share, so the unescaping and the conversion may run in any order.
QString decode(const QString& wire, bool polish)
{
    const QString text = unescape(wire);
    return polish ? CodePage::fromCp852(CodePage::toWindows1250(text)) : text;
}

QString encode(const QString& text, bool polish)
{
    const QString wire = escape(text);
    return polish ? CodePage::fromWindows1250(CodePage::toCp852(wire)) : wire;
}

} // namespace SmsWireText
