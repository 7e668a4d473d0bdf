#pragma once

#include <QList>
#include <QString>

// What the recipient picker reads from the phone books: the groups of a book, and the numbers of the contacts
// whose name passes a search text. The program connects it to the books; tests plug in a list of their own.
class SmsBookPort {
public:
    static constexpr int PrivateBook = 0;
    static constexpr int PublicBook = 1;

    struct Group {
        int id = 0;
        QString name;
    };

    struct Number {
        QString name;
        QString number;
        int kind = 1; // the position of the number in its contact: 1 extension .. 5 other
        int groupId = 0;
    };

    virtual ~SmsBookPort() = default;

    // The book's groups by name; empty when the book is closed.
    virtual QList<Group> groups(int book) = 0;
    // Every non-empty number of each contact whose name passes searchText (all contacts for an empty text), by
    // name and then position; empty when the book is closed.
    virtual QList<Number> numbers(int book, const QString& searchText) = 0;
};
