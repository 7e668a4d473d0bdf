#pragma once

#include "app/BookCall.h"
#include "app/CallContactEvents.h"
#include "app/ContactWindows.h"
#include "books/ui/ContactBoxes.h"
#include "books/ui/EditWindowList.h"
#include "books/ui/TGroupNameForm.h"
#include "books/ui/TPhoneBookForm.h"
#include "books/ui/TPhoneBookOptionsForm.h"
#include "phone/ui/TMainForm.h"

#include <functional>

class BookNaming;
class ContactMessagesPort;
struct SettingsRecord;
class TdbCore;
class TelephoneWindowLogic;

// The phone book windows wired to the books and the telephone window: the book window, the contact editing
// windows, "Edit groups" and "Searching options"; the telephone window's name search, its "Edit a phone book" and
// "Add to a phone book" items, and the notes and new contacts that call events open.
class BookWindowsAssembly final {
public:
    // What the book windows open that other parts of the program own.
    struct Openers {
        std::function<void()> configuration;
        std::function<void()> importBook;
        std::function<void()> exportBook;
        std::function<void(const QString& number)> sendSms;
    };

    // messages and ask default to message boxes; tests answer them.
    BookWindowsAssembly(SettingsRecord& settings, std::function<void()> saveSettings, TdbCore& books,
                        BookNaming& naming, TelephoneWindowLogic& window, Openers openers,
                        ContactMessagesPort* messages = nullptr, std::function<bool(const QString&)> ask = {});
    ~BookWindowsAssembly();

    // The telephone window's menu items that open these windows.
    void fillMenuOpeners(TMainForm::Openers& openers);

    ContactWindows& contactWindows() { return m_contactWindows; }
    TPhoneBookForm& bookWindow() { return m_bookWindow; }
    EditWindowList& editors() { return m_editors; }
    TGroupNameForm& groupWindow() { return m_groups; }
    TPhoneBookOptionsForm& optionsWindow() { return m_options; }

private:
    // The number the telephone window's book items act on: the call's party, else the entry line's number.
    QString currentNumber() const;
    void showGroups();
    void showOptions();

    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    TdbCore& m_books;
    TelephoneWindowLogic& m_window;
    ContactBoxes m_boxes;
    ContactMessagesPort& m_messages;
    EditWindowList m_editors;
    TGroupNameForm m_groups;
    TPhoneBookOptionsForm m_options;
    BookCall m_call;
    TPhoneBookForm m_bookWindow;
    ContactWindows m_contactWindows;
    CallContactEvents m_callEvents;
};
