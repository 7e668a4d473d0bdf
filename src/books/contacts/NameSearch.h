#pragma once

#include "books/contacts/NameFilter.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The book window's name filter over a whole book: which contacts pass the text typed so far. The folded names
// and their substring index (NameIndex) find them without judging every name; the answer is the one NameFilter
// gives name by name.
class NameSearch final {
public:
    // mode, ignoreDiacritics and language as for NameFilter.
    NameSearch(QSqlDatabase database, int mode, bool ignoreDiacritics, const QString& language);

    // The IDs of the contacts whose name passes, in no particular order (every contact for an empty text); empty
    // when the database fails.
    std::optional<QList<int>> matching(const QString& searchText);
    // The same answer from every name judged one by one.
    std::optional<QList<int>> scanning(const QString& searchText);

private:
    struct Query {
        QString statement;
        QVariantList values;
    };

    // Rows (ID, Nazwa) whose folded name passes, through the index where there is one.
    Query candidates(NameFilter::Mode mode, const QString& folded) const;
    // ID and Nazwa of every row whose folded name is still missing.
    static QString unfoldedRows();
    std::optional<QList<int>> collect(const Query& query, bool judgeNames);

    QSqlDatabase m_database;
    NameFilter m_filter;
    // The search form with every diacritic folded matches exactly what NameFilter matches.
    bool m_foldedIsExact;
    bool m_indexed;
};
