#include "books/contacts/BookActions.h"

#include "books/contacts/ContactCopier.h"
#include "books/contacts/ContactGroups.h"
#include "books/contacts/ContactMessagesPort.h"
#include "books/contacts/ContactStore.h"
#include "books/database/DatabaseLocation.h"
#include "books/database/TdbCore.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

using Lang::_;

BookActions::BookActions(TdbCore& books, ContactMessagesPort& messages)
    : m_books(books)
    , m_messages(messages)
{
}

bool BookActions::failed(const QString& driverMessage)
{
    m_messages.warning(QLatin1String(Const::ApplicationTitle), _("Phone book error.") + u'\n' + driverMessage);
    return false;
}

bool BookActions::deleteContact(int id)
{
    PhoneBook* book = m_books.book(m_books.currentBookIndex());
    if (book == nullptr || !m_messages.ask(QLatin1String(Const::ApplicationTitle), _("Delete item from phone book?"))) {
        return false;
    }
    ContactStore store(book->database());
    if (!store.remove(id)) {
        return failed(store.lastError());
    }
    m_books.requeryBooks();
    return true;
}

bool BookActions::deleteAll()
{
    PhoneBook* book = m_books.book(m_books.currentBookIndex());
    if (book == nullptr ||
        !m_messages.ask(QLatin1String(Const::ApplicationTitle), _("Delete all from the phone book?"))) {
        return false;
    }
    ContactStore store(book->database());
    if (!store.removeAll()) {
        return failed(store.lastError());
    }
    m_books.requeryBooks();
    return true;
}

std::optional<int> BookActions::copyToOtherBook(int id)
{
    const int from = m_books.currentBookIndex();
    const int to = from == TdbCore::PrivateBook ? TdbCore::PublicBook : TdbCore::PrivateBook;
    PhoneBook* source = m_books.book(from);
    PhoneBook* target = m_books.book(to);
    if (source == nullptr || target == nullptr) {
        m_messages.warning(QLatin1String(Const::ApplicationTitle),
                           DatabaseLocation::withValue(_("%s is unavailable!"), m_books.bookState(to).displayName));
        return std::nullopt;
    }
    const std::optional<Contact> contact = source->contact(id);
    if (!contact) {
        return std::nullopt;
    }
    ContactCopier copier(m_messages);
    const std::optional<int> copied =
        copier.copy(*contact, target->database(), m_books.bookState(from).nameFrom, m_books.bookState(to).nameTo);
    if (copied) {
        m_books.requeryBooks();
    }
    return copied;
}

bool BookActions::moveToGroup(int id, int group)
{
    PhoneBook* book = m_books.book(m_books.currentBookIndex());
    if (book == nullptr) {
        return false;
    }
    ContactGroups groups(book->database(), m_messages);
    if (!groups.moveContact(id, group)) {
        return false;
    }
    m_books.requeryBooks();
    return true;
}

void BookActions::selectBook(int index)
{
    m_books.selectCurrentBook(index);
    emit m_books.booksChanged();
}

void BookActions::refreshBooks()
{
    for (const int index : {TdbCore::PrivateBook, TdbCore::PublicBook}) {
        if (m_books.isUnderEdition(index)) {
            m_messages.warning(QLatin1String(Const::ApplicationTitle),
                               DatabaseLocation::withValue(_("%s under edition! Close edition window and try again"),
                                                           m_books.bookState(index).displayName) +
                                   _("Phone book cannot be refresh.\n"));
            continue;
        }
        m_books.openBook(false, index, m_books.configuredFolder(index), DatabaseOpener::Report::Refresh);
    }
    m_books.requeryBooks();
}

QString BookActions::defaultNumber(const Contact& contact)
{
    const int position = contact.defNr.value_or(0);
    if (position >= 0 && position < Contact::NumberCount &&
        !contact.numbers[static_cast<std::size_t>(position)].isEmpty()) {
        return contact.numbers[static_cast<std::size_t>(position)];
    }
    for (const QString& number : contact.numbers) {
        if (!number.isEmpty()) {
            return number;
        }
    }
    return {};
}

QString BookActions::bookCaption(int index) const
{
    const QString name = m_books.bookState(index).displayName;
    return m_books.isBookConnected(index) ? name : name + u' ' + _("[Offline]");
}
