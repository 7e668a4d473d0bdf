#include "settings/PoCatalogueCheck.h"

#include <QHash>
#include <QRegularExpression>

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

QString unescape(QStringView quoted)
{
    QString text;
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        const QChar c = quoted[i];
        if (c != u'\\' || i + 1 == quoted.size()) {
            text += c;
            continue;
        }
        const QChar next = quoted[++i];
        switch (next.unicode()) {
        case u'n':
            text += u'\n';
            break;
        case u't':
            text += u'\t';
            break;
        case u'r':
            text += u'\r';
            break;
        case u'a':
            text += u'\a';
            break;
        case u'b':
            text += u'\b';
            break;
        case u'f':
            text += u'\f';
            break;
        case u'v':
            text += u'\v';
            break;
        default:
            if (next >= u'0' && next <= u'7') {
                int value = 0;
                int digits = 0;
                for (; digits < 3 && i < quoted.size() && quoted[i] >= u'0' && quoted[i] <= u'7'; ++digits, ++i) {
                    value = value * 8 + (quoted[i].unicode() - u'0');
                }
                --i;
                text += QChar(value);
            } else {
                text += next; // \" \\ \?
            }
        }
    }
    return text;
}

QString escape(const QString& text)
{
    QString quoted;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            quoted += QStringLiteral("\\\"");
            break;
        case u'\\':
            quoted += QStringLiteral("\\\\");
            break;
        case u'\n':
            quoted += QStringLiteral("\\n");
            break;
        case u'\t':
            quoted += QStringLiteral("\\t");
            break;
        default:
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
