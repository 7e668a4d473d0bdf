#pragma once

#include <QString>

// What opening the books and the history shows the user: yes/no questions, message boxes and the wait window.
// The widgets library implements it; tests plug in a recorder.
class BookDialogsPort {
public:
    virtual ~BookDialogsPort() = default;

    // A yes/no question with the question icon, always on top; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // Message boxes with a warning or an error icon, always on top.
    virtual void showWarning(const QString& text) = 0;
    virtual void showError(const QString& text) = 0;

    // The wait window while a database is found and opened.
    virtual void showWait(const QString& text) = 0;
    virtual void hideWait() = 0;
};

// Shows the wait window for the lifetime of the object.
class WaitWindowShown final {
public:
    WaitWindowShown(BookDialogsPort& dialogs, const QString& text)
        : m_dialogs(dialogs)
    {
        m_dialogs.showWait(text);
    }
    ~WaitWindowShown() { m_dialogs.hideWait(); }
    WaitWindowShown(const WaitWindowShown&) = delete;
    WaitWindowShown& operator=(const WaitWindowShown&) = delete;

private:
    BookDialogsPort& m_dialogs;
};
