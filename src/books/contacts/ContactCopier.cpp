#include "books/contacts/ContactCopier.h"

#include "books/contacts/ContactMessagesPort.h"
#include "books/contacts/ContactStore.h"
#include "settings/Const.h"
#include "settings/Lang.h"

using Lang::_;

namespace {

// Fills the "%s" places of a translated text in order.
QString fillPlaces(QString text, const QStringList& values)
{
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype place = text.indexOf(QStringLiteral("%s"), from);
        if (place < 0) {
            break;
        }
        text.replace(place, 2, value);
        from = place + value.size();
    }
    return text;
}

} // namespace

ContactCopier::ContactCopier(ContactMessagesPort& messages)
    : m_messages(messages)
{
}

std::optional<int> ContactCopier::copy(const Contact& contact, QSqlDatabase target, const QString& fromName,
                                       const QString& toName)
{
    const QString caption = QLatin1String(Const::ApplicationTitle);
    // A contact of a book that stored a longer text than its columns declare cannot go into one that refuses it.
    if (const QString tooLong = ContactColumns::tooLongMessage(contact); !tooLong.isEmpty()) {
        m_messages.warning(caption, tooLong);
        return std::nullopt;
    }
    if (!m_messages.ask(caption, fillPlaces(_("Selected record will be copied from %s to %s."), {fromName, toName}))) {
        return std::nullopt;
    }
    Contact copied = contact;
    copied.id = 0;
    copied.groupId = 0;
    ContactStore store(std::move(target));
    const std::optional<int> id = store.insert(copied);
    if (!id) {
        m_messages.warning(caption, _("Phone book error.") + u'\n' + store.lastError());
    }
    return id;
}
