#pragma once

#include "books/database/BookDialogsPort.h"

#include <QStringList>

namespace bookseed {

// Opening a book without a user: every question is answered Yes, warnings and errors are kept for the caller to
// print, and there is no wait window.
class SilentBookDialogs final : public BookDialogsPort {
public:
    bool askYesNo(const QString&) override { return true; }
    void showWarning(const QString& text) override { notices.append(text); }
    void showError(const QString& text) override { notices.append(text); }
    void showWait(const QString&) override {}
    void hideWait() override {}

    QStringList notices;
};

} // namespace bookseed
