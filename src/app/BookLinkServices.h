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

private:
    // The identifier of the text in the history's side table; none when it could not be stored.
    std::optional<int> storeSideText(HistorySideTables::Table table, const QString& text);

    TdbCore& m_books;
    BookNaming& m_naming;
    std::function<void(const CallHistoryEntry&)> m_rowAdded;
};
