#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Reads the entries of a .po or .pot text and compares a catalogue with the texts extracted from the sources, so
// the coverage test can name every text a catalogue lacks, leaves untranslated or fuzzy, or keeps without use.
namespace PoCatalogueCheck {

struct Entry {
    bool hasContext = false;
    QString context;
    QString msgid;
    bool plural = false;
    QString msgidPlural;
    QStringList msgstrs; // msgstr, or msgstr[0], msgstr[1], ... of a plural entry
    bool fuzzy = false;
    bool obsolete = false; // written as "#~" lines
    int line = 0;          // 1-based line of the entry's first keyword

    bool isHeader() const { return !hasContext && msgid.isEmpty(); }
    // The entry's identity in a compiled catalogue: context, "\x04" and msgid.
    QString key() const;
    // The entry's context and msgid in .po syntax, e.g. msgctxt "menu" msgid "Open", to paste into a catalogue.
    QString quoted() const;
};

// The entries of the .po text; a line it cannot read is reported in error (the entries read so far are returned).
QList<Entry> parse(const QString& text, QString* error = nullptr);

struct Differences {
    QStringList missing;      // in the sources, not in the catalogue
    QStringList untranslated; // an empty msgstr, or an empty form of a plural entry
    QStringList fuzzy;
    QStringList pluralMismatch; // a plural text kept as a plain entry, or the other way round
    QStringList obsolete;       // in the catalogue (also as "#~"), not in the sources

    bool isEmpty() const;
    // One section per non-empty list, each msgid on its own line in .po syntax.
    QString report() const;
};

// What the catalogue lacks or keeps beyond the texts of the template; each list names entries by quoted().
Differences compare(const QList<Entry>& sourceTemplate, const QList<Entry>& catalogue);

// C escapes of a .po string undone / applied.
QString unescape(QStringView quoted);
QString escape(const QString& text);

} // namespace PoCatalogueCheck
