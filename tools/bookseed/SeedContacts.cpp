#include "bookseed/SeedContacts.h"

#include "bookseed/SeedOptions.h"

namespace bookseed {

Contact SeedContacts::named(const NamedNumber& named)
{
    Contact contact;
    contact.nazwa = named.name;
    contact.numbers[0] = named.number;
    return contact;
}

Contact SeedContacts::generated(int index)
{
    Contact contact;
    contact.nazwa = QStringLiteral("Contact %1").arg(index, 6, 10, QLatin1Char('0'));
    const QString digits = QStringLiteral("%1").arg(index, 8, 10, QLatin1Char('0'));
    contact.numbers[0] = u'5' + digits;
    contact.numbers[1] = u'6' + digits;
    contact.numbers[2] = u'7' + digits;
    return contact;
}

} // namespace bookseed
