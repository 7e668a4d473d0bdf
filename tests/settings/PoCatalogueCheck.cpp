#include "settings/PoCatalogueCheck.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <array>

namespace PoCatalogueCheck {

namespace {

const QChar ContextSeparator(0x04);

// The field a keyword line writes to; continuation lines ("...") append to the same field.
enum class Field { None, Context, Msgid, MsgidPlural, Msgstr };

struct Parser {
    QList<Entry> entries;
    Entry current;
    bool started = false;
    bool pendingFuzzy = false;
    Field field = Field::None;

    void finish()
    {
        if (started) {
            entries << current;
        }
        current = Entry();
        started = false;
        field = Field::None;
    }

    void begin(int line, bool obsolete)
    {
        current.line = line;
        current.obsolete = obsolete;
        current.fuzzy = pendingFuzzy;
        pendingFuzzy = false;
        started = true;
    }

    void append(const QString& text)
    {
        switch (field) {
        case Field::Context:
            current.context += text;
            break;
        case Field::Msgid:
            current.msgid += text;
            break;
        case Field::MsgidPlural:
            current.msgidPlural += text;
            break;
        case Field::Msgstr:
            current.msgstrs.last() += text;
            break;
        case Field::None:
            break;
        }
    }
};

} // namespace

QString Entry::key() const
{
    return hasContext ? context + ContextSeparator + msgid : msgid;
}

QString Entry::quoted() const
{
    QString text = QStringLiteral("msgid \"%1\"").arg(escape(msgid));
    if (hasContext) {
        text.prepend(QStringLiteral("msgctxt \"%1\" ").arg(escape(context)));
    }
    return text;
}

// The one-letter C escapes and the characters they stand for.
constexpr std::array<std::pair<char16_t, char16_t>, 7> LetterEscapes{{
    {u'n', u'\n'},
    {u't', u'\t'},
    {u'r', u'\r'},
    {u'a', u'\a'},
    {u'b', u'\b'},
    {u'f', u'\f'},
    {u'v', u'\v'},
}};

QString unescape(QStringView quoted)
{
    QString text;
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != u'\\' || i + 1 == quoted.size()) {
            text += quoted[i];
            continue;
        }
        const QChar next = quoted[++i];
        const auto letter = std::find_if(LetterEscapes.begin(), LetterEscapes.end(),
                                         [next](const auto& escape) { return escape.first == next.unicode(); });
        if (letter != LetterEscapes.end()) {
            text += QChar(letter->second);
        } else if (next >= u'0' && next <= u'7') {
            int value = 0;
            for (int digits = 0; digits < 3 && i < quoted.size() && quoted[i] >= u'0' && quoted[i] <= u'7';
                 ++digits, ++i) {
                value = value * 8 + (quoted[i].unicode() - u'0');
            }
            --i;
            text += QChar(value);
        } else {
            text += next; // \" \\ \?
        }
    }
    return text;
}

QString escape(const QString& text)
{
    QString quoted;
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\') {
            quoted += u'\\';
            quoted += c;
        } else if (c == u'\n') {
            quoted += QStringLiteral("\\n");
        } else if (c == u'\t') {
            quoted += QStringLiteral("\\t");
        } else {
            quoted += c;
        }
    }
    return quoted;
}

QList<Entry> parse(const QString& text, QString* error)
{
    static const QRegularExpression keywordLine(
        QStringLiteral(R"re(^(msgctxt|msgid_plural|msgid|msgstr(?:\[(\d+)\])?)\s+"(.*)"\s*$)re"));
    static const QRegularExpression continuationLine(QStringLiteral(R"re(^"(.*)"\s*$)re"));

    Parser parser;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        QString line = lines[number - 1].trimmed();
        bool obsolete = false;
        if (line.startsWith(QLatin1String("#~"))) {
            if (line.startsWith(QLatin1String("#~|"))) {
                continue; // the previous msgid of an obsolete fuzzy entry
            }
            obsolete = true;
            line = line.sliced(2).trimmed();
        }
        if (line.isEmpty()) {
            parser.finish();
            continue;
        }
        if (line.startsWith(QLatin1String("#,"))) {
            parser.finish();
            parser.pendingFuzzy = line.contains(QLatin1String("fuzzy"));
            continue;
        }
        if (line.startsWith(u'#')) {
            continue;
        }
        if (const QRegularExpressionMatch match = keywordLine.match(line); match.hasMatch()) {
            const QString keyword = match.captured(1);
            const QString value = unescape(match.captured(3));
            // A msgid begins an entry unless it follows its own msgctxt.
            const bool startsEntry = keyword == QLatin1String("msgctxt") ||
                                     (keyword == QLatin1String("msgid") && parser.field != Field::Context);
            if (startsEntry) {
                parser.finish();
                parser.begin(number, obsolete);
            } else if (!parser.started) {
                if (error != nullptr) {
                    *error = QStringLiteral("line %1: %2 before any msgid").arg(number).arg(keyword);
                }
                return parser.entries;
            }
            if (keyword == QLatin1String("msgctxt")) {
                parser.current.hasContext = true;
                parser.current.context = value;
                parser.field = Field::Context;
            } else if (keyword == QLatin1String("msgid")) {
                parser.current.msgid = value;
                parser.field = Field::Msgid;
            } else if (keyword == QLatin1String("msgid_plural")) {
                parser.current.plural = true;
                parser.current.msgidPlural = value;
                parser.field = Field::MsgidPlural;
            } else {
                parser.current.msgstrs << value;
                parser.field = Field::Msgstr;
            }
            continue;
        }
        if (const QRegularExpressionMatch match = continuationLine.match(line);
            match.hasMatch() && parser.field != Field::None) {
            parser.append(unescape(match.captured(1)));
            continue;
        }
        if (error != nullptr) {
            *error = QStringLiteral("line %1 is not .po syntax: %2").arg(number).arg(line);
        }
        return parser.entries;
    }
    parser.finish();
    return parser.entries;
}

bool Differences::isEmpty() const
{
    return missing.isEmpty() && untranslated.isEmpty() && fuzzy.isEmpty() && pluralMismatch.isEmpty() &&
           obsolete.isEmpty();
}

QString Differences::report() const
{
    QString text;
    const auto section = [&text](const QString& title, const QStringList& msgids) {
        if (msgids.isEmpty()) {
            return;
        }
        text += QStringLiteral("%1 (%2):\n").arg(title).arg(msgids.size());
        for (const QString& msgid : msgids) {
            text += QStringLiteral("  ") + msgid + QLatin1Char('\n');
        }
    };
    section(QStringLiteral("missing"), missing);
    section(QStringLiteral("untranslated"), untranslated);
    section(QStringLiteral("fuzzy"), fuzzy);
    section(QStringLiteral("plural forms differ from the sources"), pluralMismatch);
    section(QStringLiteral("obsolete (no longer in the sources)"), obsolete);
    return text;
}

Differences compare(const QList<Entry>& sourceTemplate, const QList<Entry>& catalogue)
{
    QHash<QString, const Entry*> sources;
    for (const Entry& entry : sourceTemplate) {
        if (!entry.isHeader() && !entry.obsolete) {
            sources.insert(entry.key(), &entry);
        }
    }
    QHash<QString, const Entry*> translated;
    Differences differences;
    for (const Entry& entry : catalogue) {
        if (entry.isHeader()) {
            continue;
        }
        const Entry* source = sources.value(entry.key());
        if (entry.obsolete || source == nullptr) {
            differences.obsolete << entry.quoted();
            continue;
        }
        translated.insert(entry.key(), &entry);
        if (entry.fuzzy) {
            differences.fuzzy << entry.quoted();
        }
        if (entry.plural != source->plural) {
            differences.pluralMismatch << entry.quoted() + (source->plural ? QStringLiteral(" (a plural text)")
                                                                           : QStringLiteral(" (not a plural text)"));
        }
        if (entry.msgstrs.isEmpty() || entry.msgstrs.contains(QString())) {
            differences.untranslated << entry.quoted();
        }
    }
    for (const Entry& entry : sourceTemplate) {
        if (!entry.isHeader() && !entry.obsolete && !translated.contains(entry.key())) {
            differences.missing << entry.quoted() +
                                       (entry.plural
                                            ? QStringLiteral(" msgid_plural \"%1\"").arg(escape(entry.msgidPlural))
                                            : QString());
        }
    }
    differences.missing.removeDuplicates();
    return differences;
}

} // namespace PoCatalogueCheck
