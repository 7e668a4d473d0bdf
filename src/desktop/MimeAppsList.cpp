#include "desktop/MimeAppsList.h"

#include <QStringList>

namespace MimeAppsList {

namespace {

struct KeyLine {
    qsizetype groupEnd = -1; // the index after the group's last line; -1 without the group
    qsizetype line = -1;     // the key's line in the group, or -1
};

KeyLine find(const QStringList& lines, const QString& mimeType)
{
    KeyLine found;
    bool inGroup = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines.at(i).trimmed();
        if (trimmed.startsWith(u'[')) {
            inGroup = trimmed == QStringView(DefaultsGroup);
            if (inGroup) {
                found.groupEnd = i + 1;
            }
            continue;
        }
        if (!inGroup) {
            continue;
        }
        if (!trimmed.isEmpty()) {
            found.groupEnd = i + 1;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals > 0 && trimmed.left(equals).trimmed() == mimeType) {
            found.line = i;
        }
    }
    return found;
}

} // namespace

QString defaultFor(const QString& text, const QString& mimeType)
{
    const QStringList lines = text.split(u'\n');
    const KeyLine found = find(lines, mimeType);
    if (found.line < 0) {
        return {};
    }
    const QString& line = lines.at(found.line);
    // A list of entries may follow; the first is the default.
    return line.mid(line.indexOf(u'=') + 1).section(u';', 0, 0).trimmed();
}

QString withDefault(const QString& text, const QString& mimeType, const QString& desktopId)
{
    QStringList lines = text.isEmpty() ? QStringList() : text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    const QString line = mimeType + u'=' + desktopId + u';';
    const KeyLine found = find(lines, mimeType);
    if (found.line >= 0) {
        lines[found.line] = line;
    } else if (found.groupEnd >= 0) {
        lines.insert(found.groupEnd, line);
    } else {
        if (!lines.isEmpty()) {
            lines.append(QString());
        }
        lines.append(QString::fromUtf16(DefaultsGroup));
        lines.append(line);
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace MimeAppsList
