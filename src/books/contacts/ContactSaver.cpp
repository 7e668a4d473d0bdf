#include "books/contacts/ContactSaver.h"

#include "books/contacts/ContactMessagesPort.h"
#include "books/contacts/PhoneNumbers.h"
#include "settings/Const.h"
#include "settings/Lang.h"

#include <algorithm>

using Lang::_;

ContactSaver::ContactSaver(QSqlDatabase database, NumberSettings numbers, ContactMessagesPort& messages)
    : m_store(std::move(database))
    , m_numbers(std::move(numbers))
    , m_messages(messages)
{
}

void ContactSaver::warn(const QString& text) const
{
    m_messages.warning(QLatin1String(Const::ApplicationTitle), text);
}

std::optional<Contact> ContactSaver::validate(Contact contact) const
{
    if (contact.nazwa.isEmpty()) {
        warn(_("No name in a phone book"));
        return std::nullopt;
    }
    const auto& numbers = contact.numbers;
    if (!contact.defNr.has_value()) {
        const auto first = std::find_if(numbers.begin(), numbers.end(), [](const QString& n) { return !n.isEmpty(); });
        if (first == numbers.end()) {
            m_messages.warning(QLatin1String(Const::ProductName), _("Please choose a default number."));
            return std::nullopt;
        }
        contact.defNr = static_cast<int>(first - numbers.begin());
    }
    const int defNr = *contact.defNr;
    if (defNr < 0 || defNr >= Contact::NumberCount || numbers[defNr].isEmpty()) {
        warn(_("Default number cannot be empty."));
        return std::nullopt;
    }
    if (std::all_of(numbers.begin(), numbers.end(), [](const QString& n) { return n.isEmpty(); })) {
        warn(_("No number in a phone book"));
        return std::nullopt;
    }
    if (contact.nazwa.front() >= u'0' && contact.nazwa.front() <= u'9') {
        warn(_("Name cannot start with a digit"));
        return std::nullopt;
    }
    for (QString& number : contact.numbers) {
        if (!number.isNull()) {
            number = PhoneNumbers::normalise(number, m_numbers.countryCode, m_numbers.addCountryZero);
        }
    }
    if (std::all_of(numbers.begin(), numbers.end(), [](const QString& n) { return n.isEmpty(); })) {
        warn(_("No valid number in a phone book"));
        return std::nullopt;
    }
    if (const QString tooLong = ContactColumns::tooLongMessage(contact); !tooLong.isEmpty()) {
        warn(tooLong);
        return std::nullopt;
    }
    return contact;
}

std::optional<int> ContactSaver::save(const Contact& edited, const std::optional<Contact>& startedFrom)
{
    m_conflicted = false;
    const std::optional<Contact> checked = validate(edited);
    if (!checked) {
        return std::nullopt;
    }
    if (!startedFrom) {
        const std::optional<int> id = m_store.insert(*checked);
        if (!id) {
            warn(_("Phone book error.") + u'\n' + m_store.lastError());
        }
        return id;
    }
    switch (m_store.update(*checked, *startedFrom)) {
    case ContactStore::UpdateResult::Updated:
        return startedFrom->id;
    case ContactStore::UpdateResult::Conflict:
        m_conflicted = true;
        warn(_("Record has been removed or changed by other user"));
        break;
    case ContactStore::UpdateResult::Failed:
        warn(_("Phone book error.") + u'\n' + m_store.lastError());
        break;
    }
    return std::nullopt;
}
