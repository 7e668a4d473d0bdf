#include "sms/SmsRecipientPicker.h"

#include <algorithm>

SmsRecipientPicker::SmsRecipientPicker(SmsBookPort& books)
    : m_books(books)
{
}

void SmsRecipientPicker::setBook(int book)
{
    m_book = book == SmsBookPort::PublicBook ? SmsBookPort::PublicBook : SmsBookPort::PrivateBook;
    // The groups of one book mean nothing in the other.
    m_group.reset();
    refresh();
}

void SmsRecipientPicker::setSearchText(const QString& text)
{
    m_search = text;
    refresh();
}

void SmsRecipientPicker::setKind(int kind)
{
    m_kind = kind >= AllKinds && kind <= KindCount ? kind : AllKinds;
    refresh();
}

void SmsRecipientPicker::setGroup(std::optional<int> group)
{
    m_group = group;
    refresh();
}

void SmsRecipientPicker::refresh()
{
    m_shown.clear();
    for (const SmsBookPort::Number& number : m_books.numbers(m_book, m_search)) {
        if (passes(number)) {
            m_shown.append(number);
        }
    }
}

bool SmsRecipientPicker::passes(const SmsBookPort::Number& number) const
{
    return !number.number.isEmpty() && (m_kind == AllKinds || number.kind == m_kind) &&
           (!m_group || number.groupId == *m_group);
}

void SmsRecipientPicker::choose(const QList<int>& shownRows)
{
    for (const int row : shownRows) {
        if (row < 0 || row >= m_shown.size()) {
            continue;
        }
        const SmsBookPort::Number& number = m_shown.at(row);
        const bool already = std::any_of(m_chosen.cbegin(), m_chosen.cend(),
                                         [&number](const SmsBookPort::Number& c) { return c.number == number.number; });
        if (!already) {
            m_chosen.append(number);
        }
    }
}

void SmsRecipientPicker::chooseAll()
{
    QList<int> rows;
    for (int row = 0; row < m_shown.size(); ++row) {
        rows.append(row);
    }
    choose(rows);
}

void SmsRecipientPicker::remove(QList<int> chosenRows)
{
    // From the last row up, so that each index still names the row it named.
    std::sort(chosenRows.begin(), chosenRows.end(), std::greater<>());
    chosenRows.erase(std::unique(chosenRows.begin(), chosenRows.end()), chosenRows.end());
    for (const int row : chosenRows) {
        if (row >= 0 && row < m_chosen.size()) {
            m_chosen.removeAt(row);
        }
    }
}
