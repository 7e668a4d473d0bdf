#include "settings/ServerAddress.h"

#include "settings/Lang.h"

#include <algorithm>

namespace {

constexpr int PartMaximum = 255;
constexpr int PartDigits = 3;

bool isPart(const QString& text)
{
    if (text.isEmpty() || text.size() > PartDigits ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return false;
    }
    return text.toInt() <= PartMaximum;
}

} // namespace

std::optional<ServerAddress::Parts> ServerAddress::split(const QString& address)
{
    const QStringList texts = address.trimmed().split(u'.');
    if (texts.size() != 4 || !std::all_of(texts.begin(), texts.end(), isPart)) {
        return std::nullopt;
    }
    Parts parts;
    std::copy(texts.begin(), texts.end(), parts.begin());
    return parts;
}

std::optional<QString> ServerAddress::join(const Parts& parts, const QString& hostName)
{
    Parts trimmed;
    std::transform(parts.begin(), parts.end(), trimmed.begin(), [](const QString& part) { return part.trimmed(); });
    if (std::all_of(trimmed.begin(), trimmed.end(), [](const QString& part) { return part.isEmpty(); }) &&
        !hostName.trimmed().isEmpty() && !split(hostName)) {
        return hostName;
    }
    if (!std::all_of(trimmed.begin(), trimmed.end(), isPart)) {
        return std::nullopt;
    }
    QStringList numbers;
    for (const QString& part : trimmed) {
        numbers.append(QString::number(part.toInt()));
    }
    return numbers.join(u'.');
}

QString ServerAddress::invalidText(const Parts& parts)
{
    return Lang::_("IP number (%s) is invalid.")
        .replace(QStringLiteral("%s"), QStringList(parts.begin(), parts.end()).join(u'.'));
}
