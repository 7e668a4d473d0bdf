#include "books/contacts/ContactConflict.h"

namespace {

constexpr ContactConflict::Field ButtonFields[] = {ContactConflict::Field::Name, ContactConflict::Field::Nr1,
                                                   ContactConflict::Field::Nr2,  ContactConflict::Field::Nr3,
                                                   ContactConflict::Field::Nr4,  ContactConflict::Field::Nr5};

// This user's value unless only the other user changed the field.
template <typename T>
void merge(T& mine, const T& original, const T& theirs)
{
    if (mine == original) {
        mine = theirs;
    }
}

} // namespace

ContactConflict::ContactConflict(const Contact& mine, const Contact& original, const Contact& theirs)
    : m_merged(mine)
    , m_theirs(theirs)
{
    for (int i = 0; i < Contact::NumberCount; ++i) {
        merge(m_merged.types[static_cast<std::size_t>(i)], original.types[static_cast<std::size_t>(i)],
              theirs.types[static_cast<std::size_t>(i)]);
    }
    merge(m_merged.notes, original.notes, theirs.notes);
    merge(m_merged.opis, original.opis, theirs.opis);
    merge(m_merged.email, original.email, theirs.email);
    merge(m_merged.otwNot, original.otwNot, theirs.otwNot);
    merge(m_merged.fwd, original.fwd, theirs.fwd);
    merge(m_merged.fwdNr, original.fwdNr, theirs.fwdNr);
    merge(m_merged.defNr, original.defNr, theirs.defNr);
    merge(m_merged.groupId, original.groupId, theirs.groupId);
    m_merged.id = theirs.id;
    for (const Field field : ButtonFields) {
        const QString their = value(theirs, field);
        const QString own = value(mine, field);
        const QString before = value(original, field);
        if (their == own || their == before) {
            // Nobody else changed it: this user's value stands.
            continue;
        }
        if (own == before) {
            // Only the other user changed it: nothing to choose.
            setValue(m_merged, field, their);
        } else {
            m_differences.append({field, their, own});
        }
    }
}

void ContactConflict::choose(Field field, bool takeTheirs)
{
    for (qsizetype i = 0; i < m_differences.size(); ++i) {
        if (m_differences[i].field == field) {
            setValue(m_merged, field, takeTheirs ? m_differences[i].theirs : m_differences[i].mine);
            m_differences.removeAt(i);
            return;
        }
    }
}

QString ContactConflict::value(const Contact& contact, Field field)
{
    if (field == Field::Name) {
        return contact.nazwa;
    }
    return contact.numbers[static_cast<std::size_t>(static_cast<int>(field) - 1)];
}

void ContactConflict::setValue(Contact& contact, Field field, const QString& value)
{
    if (field == Field::Name) {
        contact.nazwa = value;
    } else {
        contact.numbers[static_cast<std::size_t>(static_cast<int>(field) - 1)] = value;
    }
}
