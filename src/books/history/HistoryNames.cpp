#include "books/history/HistoryNames.h"

HistoryNames::HistoryNames(Lookup lookup)
    : m_lookup(std::move(lookup))
{
}

QString HistoryNames::name(const QString& number)
{
    const auto known = m_names.constFind(number);
    if (known != m_names.constEnd()) {
        return *known;
    }
    const QString found = m_lookup ? m_lookup(number) : QString();
    m_names.insert(number, found);
    return found;
}
