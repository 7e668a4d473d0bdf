#include "books/database/TdbCore.h"

#include "books/database/BookDialogsPort.h"
#include "books/database/DatabaseLocation.h"
#include "books/history/HistoryMarks.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

// The history's database and the operations on it, made anew each time the history is opened.
struct TdbCore::OpenHistory {
    OpenHistory(const QSqlDatabase& connection, HistoryErrorPort& errors, HistoryRecordingFiles recordingFiles)
        : database(connection, errors)
        , files(std::move(recordingFiles))
        , entries(std::make_unique<HistoryRegister>(this->database))
        , reader(std::make_unique<HistoryReader>(this->database))
        , sideTables(std::make_unique<HistorySideTables>(this->database))
        , trimmer(std::make_unique<HistoryTrimmer>(this->database, files))
    {
    }

    HistoryDatabase database;
    HistoryRecordingFiles files;
    std::unique_ptr<HistoryRegister> entries;
    std::unique_ptr<HistoryReader> reader;
    std::unique_ptr<HistorySideTables> sideTables;
    std::unique_ptr<HistoryTrimmer> trimmer;
};

TdbCore::TdbCore(SettingsRecord& settings, DefaultFolders folders, BookDialogsPort& dialogs,
                 HistoryErrorPort& historyErrors, Clock& clock, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_folders(std::move(folders))
    , m_dialogs(dialogs)
    , m_historyErrors(historyErrors)
    , m_clock(clock)
    , m_opener(dialogs)
    , m_historyConnector(m_folders.history, dialogs)
{
    m_connectors[PrivateBook] =
        std::make_unique<PhoneBookConnector>(BookState::privateBook(m_folders.privateBook), dialogs);
    m_connectors[PublicBook] = std::make_unique<PhoneBookConnector>(BookState::publicBook(), dialogs);
    m_refreshTimer.setSingleShot(true);
    connect(&m_refreshTimer, &QTimer::timeout, this, &TdbCore::autoUpdate);
}

TdbCore::~TdbCore()
{
    // Queries of a book and of the history go before their connections.
    m_books = {};
    m_history.reset();
}

bool TdbCore::start()
{
    if (openHistory(m_settings.Historia.Katalog, false) == DatabaseOpener::Result::Fatal) {
        return false;
    }
    const auto report = DatabaseOpener::Report::Pending;
    if (openBook(false, PrivateBook, m_settings.Ksiazka.KsPrywatna, report) == DatabaseOpener::Result::Fatal ||
        openBook(false, PublicBook, m_settings.Ksiazka.KsPubliczna, report) == DatabaseOpener::Result::Fatal) {
        return false;
    }
    selectCurrentBook(currentBookIndex());
    m_refreshTimer.start(FirstRefreshMs);
    return true;
}

DatabaseOpener::Result TdbCore::openHistory(const QString& folder, bool ask)
{
    m_history.reset();
    const DatabaseOpener::Result result = m_opener.openHistory(m_historyConnector, folder, !ask);
    if (result != DatabaseOpener::Result::Fatal) {
        attachHistory();
        emit historyReopened();
    }
    return result;
}

DatabaseOpener::Result TdbCore::openBook(bool ask, int index, const QString& folder, DatabaseOpener::Report report)
{
    PhoneBookConnector& connector = *m_connectors[index];
    const bool wasOnDefaults = connector.state().defaults;
    emit bookClosing(index);
    m_books[index].reset();
    const bool wasInOutage = connector.state().outage;
    const DatabaseOpener::Result result = m_opener.openBook(connector, folder, !ask, report);
    attachBook(index);
    announceOutage(index, wasInOutage);
    if (wasOnDefaults && !connector.state().defaults) {
        selectCurrentBook(currentBookIndex());
    }
    return result;
}

void TdbCore::announceOutage(int index, bool wasInOutage)
{
    const BookState& state = m_connectors[index]->state();
    if (state.outage && !wasInOutage) {
        emit bookUnavailable(state.pendingErrorText);
    } else if (!state.outage && wasInOutage) {
        emit bookAvailableAgain(DatabaseLocation::withValue(Lang::_("%s is available again."), state.displayName));
    }
}

void TdbCore::attachBook(int index)
{
    PhoneBookConnector& connector = *m_connectors[index];
    if (!connector.state().connected) {
        return;
    }
    m_books[index] = std::make_unique<PhoneBook>(connector.connection().database());
}

void TdbCore::attachHistory()
{
    // The trimming deletes recordings from the folder chosen now, also after the configuration changed it.
    const HistoryRecordingFiles::Folder recordingFolder = [this] {
        return m_settings.Audio.Katalog.isEmpty() ? m_folders.recordings : m_settings.Audio.Katalog;
    };
    m_history = std::make_unique<OpenHistory>(
        m_historyConnector.connection().database(), m_historyErrors,
        HistoryRecordingFiles(recordingFolder, [this](const QString& number) { return nameForNumber(number); }));
    m_history->entries->setAddedListener([this](int entryId, const HistoryEntry& entry) {
        emit historyEntryAdded(entryId, entry.start(), entry.number);
    });
}

bool TdbCore::isBookConnected(int index) const
{
    return m_connectors[index]->state().connected;
}

int TdbCore::currentBookIndex() const
{
    return m_settings.Ksiazka.Tryb == PublicBook ? PublicBook : PrivateBook;
}

QString TdbCore::configuredFolder(int index) const
{
    return index == PublicBook ? m_settings.Ksiazka.KsPubliczna : m_settings.Ksiazka.KsPrywatna;
}

void TdbCore::selectCurrentBook(int index, bool refreshWindow)
{
    m_settings.Ksiazka.Tryb = index;
    emit currentBookChanged(index);
    if (refreshWindow) {
        emit telephoneWindowRefreshRequested();
    }
}

QString TdbCore::nameForNumber(const QString& number)
{
    for (const int index : {PrivateBook, PublicBook}) {
        if (PhoneBook* phoneBook = book(index)) {
            const QString name = phoneBook->lookupName(number);
            if (!name.isEmpty()) {
                m_connectors[index]->state().matchedNumber = phoneBook->matchedPosition();
                return name;
            }
        }
    }
    return {};
}

int TdbCore::findContactForNumber(const QString& number)
{
    const int previous = currentBookIndex();
    const bool publicFirst = m_settings.Ksiazka.Priorytet == 1;
    for (const int index : publicFirst ? std::array{PublicBook, PrivateBook} : std::array{PrivateBook, PublicBook}) {
        PhoneBook* phoneBook = book(index);
        if (phoneBook == nullptr) {
            continue;
        }
        selectCurrentBook(index, false);
        const int id = phoneBook->findContact(number);
        if (id >= 0) {
            m_connectors[index]->state().matchedNumber = phoneBook->matchedPosition();
            return id;
        }
    }
    selectCurrentBook(previous, false);
    return -1;
}

void TdbCore::reconnectFailedBooks()
{
    const QString folders[] = {m_settings.Ksiazka.KsPrywatna, m_settings.Ksiazka.KsPubliczna};
    bool reopened = false;
    for (const int index : {PrivateBook, PublicBook}) {
        if (m_connectors[index]->state().defaults && !folders[index].isEmpty()) {
            openBook(false, index, folders[index], DatabaseOpener::Report::Refresh);
            reopened = true;
        }
    }
    if (reopened) {
        selectCurrentBook(currentBookIndex(), false);
    }
    emit telephoneWindowRefreshRequested();
}

void TdbCore::refreshBooks()
{
    for (const int index : {PrivateBook, PublicBook}) {
        if (!isUnderEdition(index)) {
            openBook(false, index, configuredFolder(index), DatabaseOpener::Report::Refresh);
        }
    }
}

bool TdbCore::setSmsState(int reference, int kind)
{
    if (m_history == nullptr) {
        return false;
    }
    HistoryMarks marks(m_history->database);
    if (!marks.setSmsState(reference, kind)) {
        return false;
    }
    for (const HistoryMarks::Written& entry : marks.sentSmsOfOrder(reference)) {
        emit historyEntryChanged(entry.entryId, entry.number);
    }
    return true;
}

HistoryRegister* TdbCore::historyRegister()
{
    return m_history ? m_history->entries.get() : nullptr;
}

HistoryReader* TdbCore::historyReader()
{
    return m_history ? m_history->reader.get() : nullptr;
}

HistorySideTables* TdbCore::historySideTables()
{
    return m_history ? m_history->sideTables.get() : nullptr;
}

void TdbCore::requeryBooks()
{
    selectCurrentBook(currentBookIndex());
    emit booksChanged();
}

QList<HistoryEntry> TdbCore::historyOfContact(const QString& name, HistoryReader::ContactEntries which)
{
    PhoneBook* current = book(currentBookIndex());
    if (current == nullptr || !m_history) {
        return {};
    }
    const QStringList numbers = current->numbersOfName(name);
    return numbers.isEmpty() ? QList<HistoryEntry>() : m_history->reader->entriesOfNumbers(numbers, which);
}

int TdbCore::trimHistory(int limit, bool countAll)
{
    return m_history ? m_history->trimmer->trim(limit, countAll) : 0;
}

HistoryDatabase* TdbCore::historyDatabase()
{
    return m_history ? &m_history->database : nullptr;
}

int TdbCore::deleteHistoryEntries(const QList<int>& entryIds)
{
    return m_history ? m_history->trimmer->remove(entryIds) : -1;
}

bool TdbCore::clearHistory()
{
    return m_history && m_history->trimmer->trim(0, true) >= 0 && m_history->sideTables->clearUnused();
}

bool TdbCore::clearHistoryAndArchive()
{
    return m_history && m_history->trimmer->removeAll() >= 0 && m_history->sideTables->clearUnused();
}

void TdbCore::autoUpdate()
{
    refreshBooks();
    selectCurrentBook(currentBookIndex());
    emit booksChanged();
    m_refreshTimer.start(RefreshMs + m_clock.random(RefreshSpreadMs));
    emit autoUpdateDone();
}
