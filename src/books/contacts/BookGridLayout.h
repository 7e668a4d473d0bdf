#pragma once

#include "books/contacts/ContactOrder.h"

#include <QSet>
#include <QString>
#include <optional>
#include <vector>

// The rows of the book window's name grid: in the grouped grid each group contributes a header row before its
// contacts (groups by name, contacts by name), in the classic grid the contacts alone by name. The name search
// (the IDs that pass), the group search and the closed groups decide what is shown.
class BookGridLayout final {
public:
    struct Row {
        int id = 0;      // the contact, or the group of a header row
        int groupId = 0; // the contact's group
        bool header = false;
    };

    struct Filter {
        // The contacts whose name passes; none while the name search does not judge.
        std::optional<QSet<int>> passing;
        // Part of a group name, compared in the search form (lower case, folded as the name search is).
        QString groupText;
        bool foldDiacritics = false;
    };

    // The grouped grid from contacts in the order of ContactOrder::byGroup.
    void setGrouped(const QList<ContactOrder::Group>& groups, const QList<ContactOrder::Key>& contacts);
    // The classic grid from contacts in the order of ContactOrder::byName.
    void setClassic(const QList<ContactOrder::Key>& contacts);
    bool grouped() const { return m_grouped; }

    void setFilter(Filter filter);
    // Closed groups show their header only.
    void setGroupOpen(int groupId, bool open);
    void setAllGroupsOpen(bool open);
    bool isGroupOpen(int groupId) const { return !m_closed.contains(groupId); }

    const std::vector<Row>& rows() const { return m_rows; }
    // The row of a contact (or of a group's header); -1 when it is not shown.
    int rowOf(int id, bool header = false) const;
    // The name of a group; "" for an unknown one.
    QString groupName(int groupId) const;
    const QList<ContactOrder::Group>& groups() const { return m_groups; }

private:
    void layOut();
    bool groupPasses(const ContactOrder::Group& group) const;

    bool m_grouped = true;
    QList<ContactOrder::Group> m_groups;
    // Grouped: the contacts of each group in name order, by the group's place in m_groups; classic: one list.
    std::vector<std::vector<ContactOrder::Key>> m_contacts;
    Filter m_filter;
    QSet<int> m_closed;
    std::vector<Row> m_rows;
};
