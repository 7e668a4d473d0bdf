#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// An ini file held in memory the way the Windows profile functions see it: sections and keys match without regard
// to letter case, a value is everything after the first "=" of its line (commas, quotes and semicolons included),
// the first of two equal sections or keys is the one that counts, and lines beginning with ";" are comments.
// Lines the document does not understand (comments, junk, keys before the first section) are kept as they are,
// so that rewriting a file changes only the values that were set.
class IniDocument final {
public:
    static IniDocument parse(QStringView text);

    std::optional<QString> value(QStringView section, QStringView key) const;
    bool contains(QStringView section, QStringView key) const { return value(section, key).has_value(); }

    // Replaces the value of an existing key or appends the key to its section (the section is appended when
    // missing). Line breaks inside the value would split the line and are written as spaces.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Text with "\n" line endings.
    QString toText() const;

    bool isEmpty() const { return m_preamble.isEmpty() && m_sections.isEmpty(); }

private:
    struct Line {
        QString key;   // empty for a line kept verbatim
        QString value; // the value, or the whole line when kept verbatim
    };
    struct Section {
        QString name;
        QList<Line> lines;
        // Case-folded key -> index in lines of its first occurrence.
        QHash<QString, qsizetype> keyIndex;
    };

    const Section* findSection(QStringView name) const;
    Section* findSection(QStringView name);

    static void appendLine(Section& section, qsizetype position, Line line);

    QList<Line> m_preamble;
    QList<Section> m_sections;
    // Case-folded section name -> index in m_sections of its first occurrence.
    QHash<QString, qsizetype> m_sectionIndex;
};
