#include "app/SmsNewContact.h"

#include "books/contacts/ContactSaver.h"
#include "books/database/TdbCore.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

SmsNewContact::SmsNewContact(TdbCore& books, const SettingsRecord& settings, Dialogs dialogs)
    : m_books(books)
    , m_settings(settings)
    , m_dialogs(std::move(dialogs))
{
}

void SmsNewContact::addToBook(const QString& number, int position)
{
    if (position < FirstPosition || position > LastPosition || number.isEmpty()) {
        return;
    }
    PhoneBook* book = m_books.book(TdbCore::PrivateBook);
    if (book == nullptr) {
        m_dialogs.warn(Lang::_("Phone book"), Lang::_("Phone book error."));
        return;
    }
    const QString name = m_dialogs.askName(number).trimmed();
    if (name.isEmpty()) {
        return;
    }
    Contact contact;
    contact.nazwa = name;
    contact.numbers[static_cast<std::size_t>(position - 1)] = number;
    contact.defNr = position - 1;
    ContactSaver saver(book->database(), {m_settings.Sms.SmsKier, m_settings.Sms.SmsAddCountry}, *this);
    saver.save(contact, std::nullopt);
}
