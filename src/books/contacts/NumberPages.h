#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <array>
#include <optional>

// The number list of a book (NumberList) read a page at a time in number order, for the book window's number view:
// each position's numbers come from their own index in order and are merged, so a page costs the same however long
// the book is. With a search text only the numbers that begin with it (or with "/" and it) are read.
class NumberPages final {
public:
    struct Entry {
        int id = 0;
        QString name;
        QString number;
        int type = 0;
    };

    explicit NumberPages(QSqlDatabase database);

    // Starts again from the first number, with a new search text.
    void restart(const QString& searchText);
    // The next count entries; empty at the end; none when the book cannot be read.
    std::optional<QList<Entry>> next(int count);
    bool atEnd() const { return m_atEnd; }

private:
    struct Position {
        QList<Entry> pending; // read, not yet handed out, in number order
        QString lastNumber;   // where the next read of this position goes on from
        int lastId = -1;
        bool exhausted = false;
    };

    bool fill(int position, int count);

    QSqlDatabase m_database;
    QString m_search;
    std::array<Position, 5> m_positions;
    bool m_atEnd = false;
};
