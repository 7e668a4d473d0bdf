#pragma once

#include "books/contacts/Contact.h"

namespace bookseed {

struct NamedNumber;

// The contacts the seeding tool writes.
namespace SeedContacts {

// A contact with named.number as its first number.
Contact named(const NamedNumber& named);
// Generated contact index (from 1): "Contact 000001" with the numbers 5…, 6… and 7… followed by index in eight
// digits, so the numbers of different indexes never repeat.
Contact generated(int index);

} // namespace SeedContacts

} // namespace bookseed
