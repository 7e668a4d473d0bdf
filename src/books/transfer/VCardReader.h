#pragma once

#include "books/contacts/Contact.h"

#include <QList>
#include <optional>

// Contacts from vCard text (versions 2.1, 3.0 and 4.0): the name from FN (else from N), the numbers from TEL by
// their TYPE (X-EXTENSION to Extension, WORK to Company, HOME, CELL to Mobile, anything else to Other; a number
// whose place is taken goes to Other or the first free place, and a sixth number into the notes), the default
// number from PREF, the first EMAIL and the NOTEs. Folded lines, quoted-printable values in any character set and
// escaped commas, semicolons and line breaks are read. Each contact is new (identity 0) and of group 0.
namespace VCardReader {

// Empty with a message naming the line or the card when the text is not a sequence of well-formed cards.
std::optional<QList<Contact>> read(const QString& text, QString* error);

} // namespace VCardReader
