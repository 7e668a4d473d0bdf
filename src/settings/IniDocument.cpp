#include "settings/IniDocument.h"

namespace {

// The first of two equal names is the one that counts.
void insertFirst(QHash<QString, qsizetype>& index, const QString& name, qsizetype position)
{
    if (!index.contains(name)) {
        index.insert(name, position);
    }
}

// Sections and keys match without regard to letter case.
QString lookupName(QStringView name)
{
    return name.toString().toCaseFolded();
}

std::optional<QString> sectionHeader(QStringView trimmed)
{
    if (!trimmed.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0) {
        return std::nullopt;
    }
    return trimmed.sliced(1, close - 1).trimmed().toString();
}

QString withoutLineBreaks(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

IniDocument IniDocument::parse(QStringView text)
{
    IniDocument document;
    QList<Line>* lines = &document.m_preamble;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            end = text.size();
        }
        QStringView line = text.sliced(start, end - start);
        start = end + 1;
        // Lines end with LF or CR LF; stray CRs before the end belong to the line break too, or each rewrite of
        // the file would eat one of them.
        while (line.endsWith(u'\r')) {
            line.chop(1);
        }

        const QStringView trimmed = line.trimmed();
        if (const auto name = sectionHeader(trimmed)) {
            insertFirst(document.m_sectionIndex, lookupName(*name), document.m_sections.size());
            document.m_sections.append(Section{*name, {}, {}});
            lines = &document.m_sections.last().lines;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        const QStringView key = equals > 0 ? line.first(equals).trimmed() : QStringView();
        if (key.isEmpty() || trimmed.startsWith(u';') || lines == &document.m_preamble) {
            lines->append(Line{QString(), line.toString()});
        } else {
            Section& section = document.m_sections.last();
            appendLine(section, section.lines.size(), Line{key.toString(), line.sliced(equals + 1).toString()});
        }
    }
    return document;
}

void IniDocument::appendLine(Section& section, qsizetype position, Line line)
{
    // Only keys after the insertion point would move, and keys are never inserted before another key.
    if (!line.key.isEmpty()) {
        insertFirst(section.keyIndex, lookupName(line.key), position);
    }
    section.lines.insert(position, std::move(line));
}

const IniDocument::Section* IniDocument::findSection(QStringView name) const
{
    const auto found = m_sectionIndex.constFind(lookupName(name));
    return found == m_sectionIndex.cend() ? nullptr : &m_sections[found.value()];
}

IniDocument::Section* IniDocument::findSection(QStringView name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

std::optional<QString> IniDocument::value(QStringView sectionName, QStringView key) const
{
    const Section* section = findSection(sectionName);
    if (section == nullptr) {
        return std::nullopt;
    }
    const auto found = section->keyIndex.constFind(lookupName(key));
    if (found == section->keyIndex.cend()) {
        return std::nullopt;
    }
    return section->lines[found.value()].value;
}

void IniDocument::setValue(const QString& sectionName, const QString& key, const QString& value)
{
    Section* section = findSection(sectionName);
    if (section == nullptr) {
        m_sectionIndex.insert(lookupName(sectionName), m_sections.size());
        m_sections.append(Section{sectionName, {}, {}});
        section = &m_sections.last();
    }
    const auto found = section->keyIndex.constFind(lookupName(key));
    if (found != section->keyIndex.cend()) {
        section->lines[found.value()].value = withoutLineBreaks(value);
        return;
    }
    // New keys go after the section's last non-blank line, so the blank line that separates sections stays last.
    qsizetype position = section->lines.size();
    while (position > 0 && section->lines[position - 1].key.isEmpty() &&
           section->lines[position - 1].value.trimmed().isEmpty()) {
        --position;
    }
    appendLine(*section, position, Line{key, withoutLineBreaks(value)});
}

QString IniDocument::toText() const
{
    QString text;
    const auto appendLines = [&text](const QList<Line>& lines) {
        for (const Line& line : lines) {
            if (!line.key.isEmpty()) {
                text += line.key + u'=';
            }
            text += line.value + u'\n';
        }
    };
    appendLines(m_preamble);
    for (const Section& section : m_sections) {
        // Sections are kept apart by one blank line.
        if (&section != &m_sections.front() && !text.endsWith(QStringLiteral("\n\n"))) {
            text += u'\n';
        }
        text += u'[' + section.name + QStringLiteral("]\n");
        appendLines(section.lines);
    }
    return text;
}
