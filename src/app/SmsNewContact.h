#pragma once

#include "books/contacts/ContactMessagesPort.h"
#include "sms/SmsContactPort.h"

#include <functional>

class TdbCore;
struct SettingsRecord;

// "Add to a phone book" of the SMS window: asks for the contact's name and stores a new contact of the private
// book with the number in the chosen position, as its default number. The book's checks apply (a name that starts
// with a digit, a number too long) and their warnings are shown.
class SmsNewContact final : public SmsContactPort, private ContactMessagesPort {
public:
    struct Dialogs {
        // The name typed for the number; empty when the user cancelled.
        std::function<QString(const QString& number)> askName;
        std::function<void(const QString& caption, const QString& text)> warn;
    };

    SmsNewContact(TdbCore& books, const SettingsRecord& settings, Dialogs dialogs);

    void addToBook(const QString& number, int position) override;

private:
    void warning(const QString& caption, const QString& text) override { m_dialogs.warn(caption, text); }
    bool ask(const QString&, const QString&) override { return false; }

    TdbCore& m_books;
    const SettingsRecord& m_settings;
    Dialogs m_dialogs;
};
