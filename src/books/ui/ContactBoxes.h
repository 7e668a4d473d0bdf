#pragma once

#include "books/contacts/ContactMessagesPort.h"

// The phone book operations' boxes as message boxes: a warning with OK, a question with OK and Cancel, both on top.
class ContactBoxes final : public ContactMessagesPort {
public:
    void warning(const QString& caption, const QString& text) override;
    bool ask(const QString& caption, const QString& text) override;
};
