#pragma once

#include "books/history/HistoryEntry.h"

#include <QDate>

// The four filters of the history window, as the settings FiltrWgDaty, FiltrWgTypu, FiltrWgNr and FiltrWgRozm
// choose them (0 is "all" in each). An entry is shown when it passes all four; a reserved row never is.
class HistoryFilters final {
public:
    enum DateFilter { AnyDate, Today, FromYesterday, LastWeek, FromTwoWeeks, FromLastMonth };
    enum NumberFilter { AnyNumber, Extension, External };
    enum ConversationFilter { AnyConversation, WithoutRecording, WithRecording, ArchivedOnly, SmsOnly };

    struct Choice {
        int date = AnyDate;
        int kind = 0; // k > 0 passes kind k - 1
        int number = AnyNumber;
        int conversation = AnyConversation;
    };

    // unknownNumber is the translated word stored for an unknown party; today is the current date.
    HistoryFilters(Choice choice, QString unknownNumber);

    bool passes(const HistoryEntry& entry, const QDate& today) const;

private:
    bool passesDate(const QDate& start, const QDate& today) const;
    bool passesNumber(const QString& number) const;
    bool passesConversation(const HistoryEntry& entry) const;

    Choice m_choice;
    QString m_unknownNumber;
};
