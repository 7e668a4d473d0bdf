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

QStringList HistoryNames::numbersNamed(const QStringList& numbers,
                                       const std::function<bool(const QString& name)>& accepts)
{
    QStringList named;
    for (const QString& number : numbers) {
        const QString found = name(number);
        if (!found.isEmpty() && accepts(found)) {
            named.append(number);
        }
    }
    return named;
}
