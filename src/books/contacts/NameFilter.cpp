#include "books/contacts/NameFilter.h"

#include "books/contacts/DiacriticFolding.h"

NameFilter::NameFilter(int mode, bool ignoreDiacritics, const QString& language)
    : m_mode(mode == 0   ? Mode::WordStart
             : mode == 1 ? Mode::NameStart
                         : Mode::Substring)
    , m_fold(ignoreDiacritics && DiacriticFolding::appliesTo(language))
{
}

void NameFilter::setSearchText(const QString& text)
{
    m_search = DiacriticFolding::searchForm(text, m_fold);
    m_blankSearch = QLatin1Char(' ') + m_search;
}

NameFilter::Mode NameFilter::effectiveMode() const
{
    // Words are split at blanks, so a text with a blank can only match from the start of the name.
    return m_mode == Mode::WordStart && m_search.contains(u' ') ? Mode::NameStart : m_mode;
}

bool NameFilter::passes(const QString& name) const
{
    if (!judges()) {
        return true;
    }
    DiacriticFolding::searchForm(name, m_fold, m_name);
    switch (effectiveMode()) {
    case Mode::WordStart:
        return m_name.startsWith(m_search) || m_name.contains(m_blankSearch);
    case Mode::NameStart:
        return m_name.startsWith(m_search);
    case Mode::Substring:
        break;
    }
    return m_name.contains(m_search);
}
