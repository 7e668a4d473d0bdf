#pragma once

#include "books/contacts/Contact.h"
#include "books/contacts/ContactStore.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

class ContactMessagesPort;

// The country settings numbers are normalised with (Sms/SmsKier, Sms/SmsAddCountry).
struct NumberSettings {
    QString countryCode = QStringLiteral("48");
    bool addCountryZero = false;
};

// Saving a contact from the edit window: checks it, tells the user what is wrong, normalises its numbers and
// writes it.
class ContactSaver final {
public:
    ContactSaver(QSqlDatabase database, NumberSettings numbers, ContactMessagesPort& messages);

    // The contact as it will be stored (DefNr chosen, numbers normalised), or empty after a warning box.
    std::optional<Contact> validate(Contact contact) const;

    // Inserts a new contact (no startedFrom) or updates the row startedFrom was read from; answers the row's ID,
    // or empty after a warning box (the row is then unchanged, and the caller keeps the edit open).
    std::optional<int> save(const Contact& edited, const std::optional<Contact>& startedFrom);
    // Whether the last save was refused because another user had changed or removed the row.
    bool lastSaveConflicted() const { return m_conflicted; }

private:
    void warn(const QString& text) const;

    ContactStore m_store;
    NumberSettings m_numbers;
    ContactMessagesPort& m_messages;
    bool m_conflicted = false;
};
