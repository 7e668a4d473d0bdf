#pragma once

#include "books/contacts/Contact.h"

#include <optional>

// The pages of the contact editing window.
enum class ContactPage { General = 0, Notes = 1, Ringing = 2, Audio = 3 };

// What an editing window is opened for: an existing contact of a book, or a new one filled in beforehand.
struct ContactEditRequest {
    int book = 0;                 // TdbCore::PrivateBook or PublicBook
    std::optional<int> contactId; // none for a new contact
    Contact prefill;              // the new contact's first values (a number in its position)
    ContactPage page = ContactPage::General;
};
