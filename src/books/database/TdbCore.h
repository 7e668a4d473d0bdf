#pragma once

#include "books/contacts/PhoneBook.h"
#include "books/database/DatabaseOpener.h"
#include "books/database/PhoneBookConnector.h"
#include "books/history/HistoryConnector.h"
#include "books/history/HistoryDatabase.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistoryRecordingFiles.h"
#include "books/history/HistoryRegister.h"
#include "books/history/HistorySideTables.h"
#include "books/history/HistoryTrimmer.h"
#include "settings/Clock.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class BookDialogsPort;
class HistoryErrorPort;
struct SettingsRecord;

// The phone books and the call history as the rest of the program reaches them: opens the history, the private
// book and the public book at start, falls back to the default folders when the configured ones fail, answers
// names and contacts for numbers across both books, tries failed books again, and refreshes the books every few
// minutes so that changes by other users of a shared book appear.
class TdbCore final : public QObject {
    Q_OBJECT

public:
    static constexpr int PrivateBook = 0;
    static constexpr int PublicBook = 1;
    static constexpr int FirstRefreshMs = 300000;
    static constexpr int RefreshMs = 120000;
    static constexpr int RefreshSpreadMs = 32768;

    struct DefaultFolders {
        QString privateBook; // the data folder + "PhoneBook"
        QString history;     // the data folder + "History/ConversationLog"
        QString recordings;  // the data folder + "History/VoiceNotes"
    };

    TdbCore(SettingsRecord& settings, DefaultFolders folders, BookDialogsPort& dialogs, HistoryErrorPort& historyErrors,
            Clock& clock = Clock::system(), QObject* parent = nullptr);
    ~TdbCore() override;

    // Opens the history, then the private and the public book, without asking; selects the current book. False
    // when a database cannot be opened even from its default folder: the program cannot go on.
    bool start();

    DatabaseOpener::Result openHistory(const QString& folder, bool ask);
    // report: pending texts at start-up, message boxes when opened from the configuration.
    DatabaseOpener::Result openBook(bool ask, int index, const QString& folder, DatabaseOpener::Report report);

    bool isBookConnected(int index) const;
    const BookState& bookState(int index) const { return m_connectors[index]->state(); }
    // The open book, or null when it is closed.
    PhoneBook* book(int index) { return m_books[index].get(); }
    int currentBookIndex() const;
    // The folder (or server location) the settings give for the book.
    QString configuredFolder(int index) const;
    // Makes the book the one the book window shows (stored in the settings) and, unless told not to, asks for the
    // telephone window to be refreshed.
    void selectCurrentBook(int index, bool refreshWindow = true);

    // The name of the number's contact: private book first, then public; "" when neither knows it.
    QString nameForNumber(const QString& number);
    // The contact's ID, asking the books in the order the settings give; the book that answers becomes current.
    int findContactForNumber(const QString& number);

    // Books that run on their default folder try their configured folder again.
    void reconnectFailedBooks();
    // Reopens both books from their configured folders (the periodic refresh); a book that an editing window works
    // on is left as it is, as reopening it would lose the rows the window saves against.
    void refreshBooks();
    // Whether an editing window works on the book (the windows tell).
    void setEditionCheck(std::function<bool(int index)> underEdition) { m_underEdition = std::move(underEdition); }
    bool isUnderEdition(int index) const { return m_underEdition && m_underEdition(index); }
    // After a contact was saved or copied: the current book selected again and the book windows told.
    void requeryBooks();

    // The history; null while it is not open (before start() succeeded).
    HistoryRegister* historyRegister();
    HistoryReader* historyReader();
    HistorySideTables* historySideTables();
    // Every SMS row of the reference gets the new kind (delivered or not).
    bool setSmsState(int reference, int kind);
    // The history of the contacts of that name in the current book: calls, or SMS only.
    QList<HistoryEntry> historyOfContact(const QString& name, HistoryReader::ContactEntries which);
    // Keeps the history at limit entries (all entries count when countAll is set).
    int trimHistory(int limit, bool countAll);
    // The open history's database; null while it is not open.
    HistoryDatabase* historyDatabase();
    // Deletes the entries (not the archived ones) with their recordings; the number deleted, -1 on failure.
    int deleteHistoryEntries(const QList<int>& entryIds);
    // Every entry but the archived ones goes, with the recordings, and the texts no entry needs any more.
    bool clearHistory();
    // The same with the archive: every entry goes but the one a call in progress holds.
    bool clearHistoryAndArchive();

    // The refresh timer's tick: both books reopened, listeners told, the next tick in two to two and a half minutes.
    void autoUpdate();
    const QTimer& refreshTimer() const { return m_refreshTimer; }

signals:
    // A book is about to be closed and opened again: whoever keeps its connection lets go of it now.
    void bookClosing(int index);
    void booksChanged();
    void autoUpdateDone();
    void currentBookChanged(int index);
    void telephoneWindowRefreshRequested();
    // A configured book could not be opened (at start-up, from the configuration or again later): text says so
    // and what the client does instead. Said once per outage, until the book is back.
    void bookUnavailable(const QString& text);
    // The configured book of an outage opened again.
    void bookAvailableAgain(const QString& text);
    // An entry was written into the history (a new one, or a reserved or matching one filled).
    void historyEntryAdded(int entryId, const QDateTime& start, const QString& number);
    // An entry already in the history changed (a sent message's state).
    void historyEntryChanged(int entryId, const QString& number);
    // The history was opened again (maybe from another folder): whatever was read of it is stale.
    void historyReopened();

private:
    struct OpenHistory;

    void announceOutage(int index, bool wasInOutage);
    void attachBook(int index);
    void attachHistory();

    SettingsRecord& m_settings;
    DefaultFolders m_folders;
    BookDialogsPort& m_dialogs;
    HistoryErrorPort& m_historyErrors;
    Clock& m_clock; // the random spread of the refresh
    DatabaseOpener m_opener;
    HistoryConnector m_historyConnector;
    std::array<std::unique_ptr<PhoneBookConnector>, 2> m_connectors;
    std::array<std::unique_ptr<PhoneBook>, 2> m_books;
    std::unique_ptr<OpenHistory> m_history;
    QTimer m_refreshTimer;
    std::function<bool(int)> m_underEdition;
};
