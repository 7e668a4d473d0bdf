#pragma once

#include "books/history/HistorySideTables.h"
#include "pbxlink/calls/CallPorts.h"
#include "pbxlink/lifecycle/LinkServicesPort.h"

#include <functional>

class BookNaming;
class TdbCore;

// The link's view of the phone books and the call history: names for numbers, the history rows of calls, the
// missed-call check and the reconnect of books that fell back to their default folder.
class BookLinkServices final : public LinkServicesPort, public CallHistoryPort, public PhoneBookNamesPort {
public:
    // rowAdded is told of every call row written (the console prints it while there is no history window).
    BookLinkServices(TdbCore& books, BookNaming& naming, std::function<void(const CallHistoryEntry&)> rowAdded = {});

    bool hasMissedCalls() const override;
    void reconnectFailedBooks() override;

    std::optional<int> callerNameId(const QString& name) override;
    std::optional<int> calledNumberId(const QString& number) override;
    void reserveRowForCallInProgress() override;
    void addEntry(const CallHistoryEntry& entry) override;
    void trim(int keepRows) override;
    void refresh() override {}

    QString nameForNumber(const QString& number) override;
    QString callerName(const QString& number) override;

    // Told of the row reserved for the call in progress and of every call row written (its id, start and number).
    void setRowHooks(std::function<void(int entryId)> reserved,
                     std::function<void(int entryId, const QDateTime& start, const QString& number)> added)
    {
        m_rowReserved = std::move(reserved);
        m_rowWritten = std::move(added);
    }

private:
    // The identifier of the text in the history's side table; none when it could not be stored.
    std::optional<int> storeSideText(HistorySideTables::Table table, const QString& text);

    TdbCore& m_books;
    BookNaming& m_naming;
    std::function<void(const CallHistoryEntry&)> m_rowAdded;
    std::function<void(int)> m_rowReserved;
    std::function<void(int, const QDateTime&, const QString&)> m_rowWritten;
};
