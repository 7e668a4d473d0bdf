#pragma once

#include "books/contacts/Contact.h"

#include <QList>
#include <QStringList>

// Contacts as vCard 3.0 (RFC 2426): FN and N from the name, one TEL per number typed after its position (WORK for
// Company, HOME, CELL for Mobile, X-EXTENSION and VOICE for Extension and Other; PREF on the default number),
// EMAIL, NOTE. Only the properties of the chosen Book2 columns are written, FN always. Lines are folded at 75
// octets and end in CR LF.
namespace VCardWriter {

QString write(const QList<Contact>& contacts, const QStringList& columns);

// The TYPE value of the number at position (0..4).
QString typeOf(int position);

} // namespace VCardWriter
