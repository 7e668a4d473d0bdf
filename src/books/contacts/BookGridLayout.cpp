#include "books/contacts/BookGridLayout.h"

#include "books/contacts/DiacriticFolding.h"

#include <QHash>

void BookGridLayout::setGrouped(const QList<ContactOrder::Group>& groups, const QList<ContactOrder::Key>& contacts)
{
    m_grouped = true;
    m_groups = groups;
    QHash<int, std::size_t> place;
    for (qsizetype i = 0; i < m_groups.size(); ++i) {
        place.insert(m_groups[i].id, static_cast<std::size_t>(i));
    }
    m_contacts.assign(static_cast<std::size_t>(m_groups.size()), {});
    for (const ContactOrder::Key& key : contacts) {
        auto found = place.constFind(key.groupId);
        if (found == place.cend()) {
            // A contact of a group that no longer exists (another client removed it) is shown with group 0.
            found = place.constFind(0);
        }
        if (found != place.cend()) {
            m_contacts[*found].push_back(key);
        }
    }
    layOut();
}

void BookGridLayout::setClassic(const QList<ContactOrder::Key>& contacts)
{
    m_grouped = false;
    m_contacts.assign(1, std::vector<ContactOrder::Key>(contacts.cbegin(), contacts.cend()));
    layOut();
}

void BookGridLayout::setFilter(Filter filter)
{
    m_filter = std::move(filter);
    m_filter.groupText = DiacriticFolding::searchForm(m_filter.groupText, m_filter.foldDiacritics);
    layOut();
}

void BookGridLayout::setGroupOpen(int groupId, bool open)
{
    if (open) {
        m_closed.remove(groupId);
    } else {
        m_closed.insert(groupId);
    }
    layOut();
}

void BookGridLayout::setAllGroupsOpen(bool open)
{
    m_closed.clear();
    if (!open) {
        for (const ContactOrder::Group& group : m_groups) {
            m_closed.insert(group.id);
        }
    }
    layOut();
}

bool BookGridLayout::groupPasses(const ContactOrder::Group& group) const
{
    return m_filter.groupText.isEmpty() ||
           DiacriticFolding::searchForm(group.name, m_filter.foldDiacritics).contains(m_filter.groupText);
}

void BookGridLayout::layOut()
{
    m_rows.clear();
    const auto passes = [this](const ContactOrder::Key& key) {
        return !m_filter.passing || m_filter.passing->contains(key.id);
    };
    if (!m_grouped) {
        for (const ContactOrder::Key& key : m_contacts.empty() ? std::vector<ContactOrder::Key>() : m_contacts[0]) {
            if (passes(key)) {
                m_rows.push_back({key.id, key.groupId, false});
            }
        }
        return;
    }
    m_rows.reserve(static_cast<std::size_t>(m_groups.size()));
    for (std::size_t i = 0; i < m_contacts.size(); ++i) {
        const ContactOrder::Group& group = m_groups[static_cast<qsizetype>(i)];
        if (!groupPasses(group)) {
            continue;
        }
        const std::size_t headerAt = m_rows.size();
        m_rows.push_back({group.id, group.id, true});
        const bool open = !m_closed.contains(group.id);
        bool any = false;
        for (const ContactOrder::Key& key : m_contacts[i]) {
            if (passes(key)) {
                any = true;
                if (!open) {
                    break;
                }
                m_rows.push_back({key.id, group.id, false});
            }
        }
        // While the name search judges, a group none of whose contacts passes is left out.
        if (m_filter.passing && !any) {
            m_rows.resize(headerAt);
        }
    }
}

int BookGridLayout::rowOf(int id, bool header) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].id == id && m_rows[i].header == header) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QString BookGridLayout::groupName(int groupId) const
{
    for (const ContactOrder::Group& group : m_groups) {
        if (group.id == groupId) {
            return group.name;
        }
    }
    return {};
}
