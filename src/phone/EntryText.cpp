#include "phone/EntryText.h"

#include "settings/NumberNormalisation.h"

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits and the characters people write numbers with: "+48 (22) 555-01-02", "/#31", "12|34".
bool isWrittenNumberCharacter(QChar c)
{
    return isDigit(c) || c == u' ' || c == u'+' || c == u'*' || c == u'#' || c == u'/' || c == u'|' || c == u'(' ||
           c == u')' || c == u'-';
}

QString keepOnly(const QString& text, bool (*keep)(QChar))
{
    QString kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), keep);
    return kept;
}

} // namespace

namespace EntryText {

bool isDialCharacter(QChar c)
{
    return isDigit(c) || c == u'+' || c == u'*' || c == u'#';
}

bool isNumber(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isWrittenNumberCharacter);
}

QString dialDigits(const QString& text)
{
    return keepOnly(text, isDialCharacter);
}

QString dialNumber(const QString& text)
{
    // The spaces go only after the leading "+" has become "00": brackets, dashes or dots after the "+" would stop
    // the normalisation, so those are dropped first.
    const QString written = keepOnly(text, [](QChar c) { return isDialCharacter(c) || c == u' '; }).trimmed();
    return dialDigits(normaliseInternationalPrefix(written)).remove(u'+');
}

Pasted fromClipboard(const QString& clipboard)
{
    const QString text = clipboard.trimmed();
    if (!text.isEmpty() && text.front().isLetter()) {
        const auto isLineBreak = [](QChar c) {
            return c == u'\r' || c == u'\n';
        };
        const qsizetype firstLineLength = std::find_if(text.begin(), text.end(), isLineBreak) - text.begin();
        return {QStringView(text).first(firstLineLength).trimmed().left(MaxLength).toString(), true};
    }
    const QString number = keepOnly(text, isWrittenNumberCharacter).trimmed();
    return {normaliseInternationalPrefix(number).left(MaxLength), false};
}

} // namespace EntryText
