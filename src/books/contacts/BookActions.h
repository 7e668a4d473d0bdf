#pragma once

#include "books/contacts/Contact.h"

#include <QString>
#include <optional>

class ContactMessagesPort;
class TdbCore;

// The phone book window's commands on the current book: deleting one or every contact after asking, copying a
// contact to the other book, moving it into a group, switching and refreshing books. Each change is followed by
// the requery of both books, which tells every book window.
class BookActions final {
public:
    BookActions(TdbCore& books, ContactMessagesPort& messages);

    bool deleteContact(int id);
    bool deleteAll();
    std::optional<int> copyToOtherBook(int id);
    bool moveToGroup(int id, int group);
    // Makes the book (TdbCore::PrivateBook or PublicBook) the current one.
    void selectBook(int index);
    // Reconnects books running on their default folder and reopens both; a book an editing window works on is
    // refused with a warning and stays as it is.
    void refreshBooks();

    // The number "Call" dials: the contact's default number, or its first number when that one is empty.
    static QString defaultNumber(const Contact& contact);
    // The display name of a book with "[Offline]" after it while it is closed.
    QString bookCaption(int index) const;

private:
    bool failed(const QString& driverMessage);

    TdbCore& m_books;
    ContactMessagesPort& m_messages;
};
