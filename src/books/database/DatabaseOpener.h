#pragma once

#include <QString>

class BookDialogsPort;
struct BookState;
class HistoryConnector;
class PhoneBookConnector;

// Opens a book or the history with its fallback: when the configured folder fails, the user is told and the
// default folder is used for this run (the settings keep the configured one). When the fallback fails too the
// program cannot go on; the caller ends it.
class DatabaseOpener final {
public:
    enum class Result { Opened, OpenedOnFallback, Fatal };
    // How a failed configured folder is reported: as the book's pending text that the book window shows later (at
    // start-up), or at once in a warning box (from the configuration dialog). Refresh is the reopening of a book
    // in use (the periodic refresh, the reconnect of failed books): nothing missing is created at the configured
    // place, the refresh's texts become the pending text and a fatal failure is shown once per outage.
    enum class Report { Pending, MessageBox, Refresh };

    explicit DatabaseOpener(BookDialogsPort& dialogs);

    Result openBook(PhoneBookConnector& book, const QString& folder, bool silent, Report report);
    Result openHistory(HistoryConnector& history, const QString& folder, bool silent);

    // What the user is told of a configured folder that failed: at start-up or from the configuration, and when
    // a book in use is reopened.
    static QString failureText(const BookState& state);
    static QString refreshFailureText(const BookState& state);

private:
    void reportFatal(const QString& text);

    BookDialogsPort& m_dialogs;
};
