#pragma once

#include "books/contacts/Contact.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

class ContactMessagesPort;

// Copying a contact from one book to the other, after the user agreed.
class ContactCopier final {
public:
    explicit ContactCopier(ContactMessagesPort& messages);

    // Asks "copied from fromName to toName" (the two books' inflected names); on OK inserts every field of contact
    // into target, in group 0, as the target's groups are unrelated. Answers the new row's ID; empty on Cancel or
    // failure (shown as a warning).
    std::optional<int> copy(const Contact& contact, QSqlDatabase target, const QString& fromName,
                            const QString& toName);

private:
    ContactMessagesPort& m_messages;
};
