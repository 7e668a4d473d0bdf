#pragma once

#include "books/ui/ContactPage.h"

#include <QString>
#include <functional>

class BookNaming;
class EditWindowList;
class TdbCore;

// The phone book windows as other windows open them for a number (the telephone window, the history window, the
// configuration dialog): the contact of the number in its editing window, a new contact with the number in
// position 1..5, the contact's notes, and "Searching options".
class ContactWindows final {
public:
    ContactWindows(TdbCore& books, BookNaming& naming, EditWindowList& editors,
                   std::function<void()> openSearchOptions);

    // The number's contact (the books asked in the order the settings give) in an editing window; a new contact
    // with the number when no book knows it.
    void editNumber(const QString& number);
    // A new contact with the number in position 1..5 (its default number), in the current book.
    void addNumber(const QString& number, int position);
    // The contact's notes page; a new contact with the number on that page when no book knows it.
    void openNotes(const QString& number);
    void openSearchOptions() { m_openSearchOptions(); }

    // The request the commands above open for a number: the contact's book and ID when a book knows it.
    ContactEditRequest requestFor(const QString& number, ContactPage page, int newPosition);
    // The position a number not yet in a book gets: short numbers are extensions, others company numbers.
    static int positionForNew(const QString& number);

private:
    TdbCore& m_books;
    BookNaming& m_naming;
    EditWindowList& m_editors;
    std::function<void()> m_openSearchOptions;
};
