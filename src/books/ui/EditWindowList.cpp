#include "books/ui/EditWindowList.h"

#include "books/contacts/ContactMessagesPort.h"
#include "books/database/TdbCore.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

EditWindowList::EditWindowList(TdbCore& books, SettingsRecord& settings, std::function<void()> saveSettings,
                               ContactMessagesPort& messages, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
    , m_messages(messages)
{
}

EditWindowList::~EditWindowList()
{
    for (const QPointer<TEditPhoneBookForm>& window : std::as_const(m_windows)) {
        delete window.data();
    }
}

TEditPhoneBookForm* EditWindowList::open(const ContactEditRequest& request)
{
    m_windows.removeAll(nullptr);
    if (m_windows.size() >= MaxWindows) {
        m_messages.warning(Lang::_("Norvel Tervo Server"),
                           Lang::_("Too many edition and notes windows!.\n Save changes and close"));
        return nullptr;
    }
    auto* window = new TEditPhoneBookForm(m_books, m_settings, m_messages, request, m_openers);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_windows.append(window);
    connect(window, &QDialog::finished, this, [this, window] { forget(window); });
    if (m_settings.Ksiazka.EdycjaX >= 0 && m_settings.Ksiazka.EdycjaY >= 0) {
        // Each further window a little lower and to the right, so that none hides another entirely.
        const int offset = 24 * static_cast<int>(m_windows.size() - 1);
        window->move(m_settings.Ksiazka.EdycjaX + offset, m_settings.Ksiazka.EdycjaY + offset);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void EditWindowList::forget(TEditPhoneBookForm* window)
{
    m_settings.Ksiazka.EdycjaX = window->x();
    m_settings.Ksiazka.EdycjaY = window->y();
    m_saveSettings();
}

bool EditWindowList::worksOn(int book) const
{
    return std::any_of(m_windows.cbegin(), m_windows.cend(),
                       [book](const QPointer<TEditPhoneBookForm>& window) { return window && window->book() == book; });
}

QList<TEditPhoneBookForm*> EditWindowList::windows() const
{
    QList<TEditPhoneBookForm*> open;
    for (const QPointer<TEditPhoneBookForm>& window : m_windows) {
        if (window) {
            open.append(window.data());
        }
    }
    return open;
}

void EditWindowList::reloadGroups()
{
    for (TEditPhoneBookForm* window : windows()) {
        window->reloadGroups();
    }
}
