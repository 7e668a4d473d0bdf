#include "settings/IniInteger.h"

#include <limits>

namespace {

int digitValue(char16_t character, int base)
{
    int value = -1;
    if (character >= u'0' && character <= u'9') {
        value = character - u'0';
    } else if (character >= u'a' && character <= u'f') {
        value = character - u'a' + 10;
    } else if (character >= u'A' && character <= u'F') {
        value = character - u'A' + 10;
    }
    return value < base ? value : -1;
}

} // namespace

std::optional<int> parseIniInteger(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.sliced(2);
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }

    // The magnitude of the most negative int; anything larger fits in neither sign.
    constexpr qint64 Limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    for (const QChar character : text) {
        const int digit = digitValue(character.unicode(), base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > Limit) {
            return std::nullopt;
        }
    }
    if (!negative && magnitude == Limit) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}
