#pragma once

#include "sms/SmsBookPort.h"

#include <QList>
#include <optional>

// The recipient picker's lists: on the left the numbers of the chosen book that pass the name search, the number
// kind and the group; on the right the recipients chosen so far. A number is chosen once however often it is
// moved; the left list follows every change of a filter.
class SmsRecipientPicker final {
public:
    // The number kinds offered: every kind, or one position of the contact's numbers.
    static constexpr int AllKinds = 0;
    static constexpr int KindCount = 5;

    explicit SmsRecipientPicker(SmsBookPort& books);

    void setBook(int book);
    void setSearchText(const QString& text);
    void setKind(int kind);
    // A group, or none for every group.
    void setGroup(std::optional<int> group);
    // Reads the book again with the filters as they are.
    void refresh();

    int book() const { return m_book; }
    QList<SmsBookPort::Group> groups() { return m_books.groups(m_book); }
    const QList<SmsBookPort::Number>& shown() const { return m_shown; }
    const QList<SmsBookPort::Number>& chosen() const { return m_chosen; }

    // ">" and ">>": rows of the shown list, or all of it, to the recipients.
    void choose(const QList<int>& shownRows);
    void chooseAll();
    // "<" and "<<": rows of the recipient list, or all of it, taken out.
    void remove(QList<int> chosenRows);
    void removeAll() { m_chosen.clear(); }

private:
    bool passes(const SmsBookPort::Number& number) const;

    SmsBookPort& m_books;
    int m_book = SmsBookPort::PrivateBook;
    QString m_search;
    int m_kind = AllKinds;
    std::optional<int> m_group;
    QList<SmsBookPort::Number> m_shown;
    QList<SmsBookPort::Number> m_chosen;
};
