#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

// The four filters of the history window, as the settings FiltrWgDaty, FiltrWgTypu, FiltrWgNr and FiltrWgRozm
// choose them (0 is "all" in each), written as one SQL condition on History2. An entry is shown when it passes all
// four; a reserved row never is.
class HistoryFilters final {
public:
    enum DateFilter { AnyDate, Today, FromYesterday, LastWeek, FromTwoWeeks, FromLastMonth };
    enum NumberFilter { AnyNumber, Extension, External };
    enum ConversationFilter { AnyConversation, WithoutRecording, WithRecording, ArchivedOnly, SmsOnly };
    // The entries of the kind list after "all", in the order the window lists them.
    enum KindFilter {
        AnyKind,
        IncomingMissed,
        OutgoingMissed,
        Incoming,
        Outgoing,
        Sent,
        ThrownAside,
        Delivered,
        NotDelivered,
        TakenBack
    };

    struct Choice {
        int date = AnyDate;
        int kind = AnyKind;
        int number = AnyNumber;
        int conversation = AnyConversation;
    };

    // A WHERE condition and the values bound to its placeholders, in order.
    struct Condition {
        QString sql;
        QVariantList values;
    };

    // unknownNumber is the translated word stored for an unknown party.
    HistoryFilters(Choice choice, QString unknownNumber);

    // The condition as of today (the current date).
    Condition condition(const QDate& today) const;

    // The entry kind the kind list's entry selects; -1 for "all" and for a value outside the list.
    static int kindOf(int kindFilter);

private:
    void addDate(const QDate& today, Condition& condition) const;
    void addNumber(Condition& condition) const;
    void addConversation(Condition& condition) const;

    Choice m_choice;
    QString m_unknownNumber;
};
