#pragma once

#include "FakeBookDialogs.h"
#include "books/database/PhoneBookConnector.h"
#include "books/history/HistoryConnector.h"
#include "books/history/HistoryDatabase.h"
#include "books/history/HistoryErrorPort.h"

#include <memory>

// A phone book opened the way the client opens it, at a folder or on a server.
class OpenedBook final {
public:
    explicit OpenedBook(const QString& location, BookState state = BookState::publicBook(),
                        int commandTimeoutMs = BookConnection::DefaultCommandTimeoutMs)
        : connector(std::move(state), dialogs)
    {
        connector.connection().setCommandTimeoutMs(commandTimeoutMs);
        outcome = connector.connect(location, true);
    }

    bool ok() const { return outcome.ok; }
    QSqlDatabase database() { return connector.connection().database(); }

    FakeBookDialogs dialogs;
    PhoneBookConnector connector;
    ConnectOutcome outcome;
};

// The call history opened the way the client opens it, with the failures its register reported.
class OpenedHistory final : public HistoryErrorPort {
public:
    explicit OpenedHistory(const QString& location)
        : connector(QString(), dialogs)
    {
        outcome = connector.connect(location, true);
        history = std::make_unique<HistoryDatabase>(connector.connection().database(), *this);
    }
    ~OpenedHistory() override { history.reset(); }
    OpenedHistory(const OpenedHistory&) = delete;
    OpenedHistory& operator=(const OpenedHistory&) = delete;

    void showHistoryError(const QString& message, const QString& detail) override
    {
        errors.append(message + u' ' + detail);
    }

    bool ok() const { return outcome.ok; }
    QSqlDatabase database() { return connector.connection().database(); }

    FakeBookDialogs dialogs;
    HistoryConnector connector;
    ConnectOutcome outcome;
    std::unique_ptr<HistoryDatabase> history;
    QStringList errors;
};
