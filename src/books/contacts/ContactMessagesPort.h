#pragma once

#include <QString>

// The boxes the phone book operations show: a warning with an OK button, and an OK/Cancel question. Both stay on
// top. The window layer shows them; tests record them.
class ContactMessagesPort {
public:
    virtual ~ContactMessagesPort() = default;
    virtual void warning(const QString& caption, const QString& text) = 0;
    // True for OK.
    virtual bool ask(const QString& caption, const QString& text) = 0;
};
