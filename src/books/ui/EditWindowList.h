#pragma once

#include "books/ui/TEditPhoneBookForm.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class ContactMessagesPort;
class TdbCore;
struct SettingsRecord;

// The open contact editing windows (the notes windows among them), in the order they were opened. A new one is
// refused beyond the limit with "Too many edition and notes windows!". The list answers whether a window works on
// a book, which holds back the book's refresh, and keeps the windows' position in the settings.
class EditWindowList final : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxWindows = 10;

    EditWindowList(TdbCore& books, SettingsRecord& settings, std::function<void()> saveSettings,
                   ContactMessagesPort& messages, QObject* parent = nullptr);
    ~EditWindowList() override;

    void setOpeners(TEditPhoneBookForm::Openers openers) { m_openers = std::move(openers); }
    // A new, shown window; null after the too-many box.
    TEditPhoneBookForm* open(const ContactEditRequest& request);
    bool worksOn(int book) const;
    QList<TEditPhoneBookForm*> windows() const;
    // Every open window reads the groups again.
    void reloadGroups();

private:
    void forget(TEditPhoneBookForm* window);

    TdbCore& m_books;
    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    ContactMessagesPort& m_messages;
    TEditPhoneBookForm::Openers m_openers;
    QList<QPointer<TEditPhoneBookForm>> m_windows;
};
