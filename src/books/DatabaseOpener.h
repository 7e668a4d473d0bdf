#pragma once

#include <QString>

class BookDialogsPort;
class HistoryConnector;
class PhoneBookConnector;

// Opens a book or the history with its fallback: when the configured folder fails, the user is told and the
// default folder is used for this run (the settings keep the configured one). When the fallback fails too the
// program cannot go on; the caller ends it.
class DatabaseOpener final {
public:
    enum class Result { Opened, OpenedOnFallback, Fatal };
    // How a failed configured folder is reported: as the book's pending text that the book window shows later (at
    // start-up), or at once in a warning box (from the configuration dialog).
    enum class Report { Pending, MessageBox };

    explicit DatabaseOpener(BookDialogsPort& dialogs);

    Result openBook(PhoneBookConnector& book, const QString& folder, bool silent, Report report);
    Result openHistory(HistoryConnector& history, const QString& folder, bool silent);

private:
    void reportFatal(const QString& text);

    BookDialogsPort& m_dialogs;
};
