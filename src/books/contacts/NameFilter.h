#pragma once

#include <QString>

// The name filter of the book window: whether a contact's name matches the text typed so far.
class NameFilter final {
public:
    // Settings Ksiazka/SzukajNazw.
    enum class Mode {
        WordStart = 0, // some word of the name begins with the text
        NameStart = 1, // the whole name begins with the text
        Substring = 2, // the text occurs anywhere in the name
    };

    // ignoreDiacritics is Ksiazka/IgnorujPolskieZnaki; language the interface language, for which folding may not
    // apply.
    NameFilter(int mode, bool ignoreDiacritics, const QString& language);

    void setSearchText(const QString& text);
    // An empty search text does not judge: the other filters of the window decide alone.
    bool judges() const { return !m_search.isEmpty(); }
    // Whether name matches the search text; true while the filter does not judge.
    bool passes(const QString& name) const;

    Mode effectiveMode() const;

private:
    Mode m_mode;
    bool m_fold;
    QString m_search;
    QString m_blankSearch; // " " + the search text, a word start inside the name
    mutable QString m_name;
};
