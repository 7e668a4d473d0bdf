#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

class ContactMessagesPort;
class TdbCore;

// "Edit groups": the groups of the current book with "Add", "Rename" and "Remove". Removing a group moves its
// contacts to group 0, which cannot be removed.
class TGroupNameForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr int MaxTypedName = 30;

    TGroupNameForm(TdbCore& books, ContactMessagesPort& messages, QWidget* parent = nullptr);

    // Reads the groups of the current book again.
    void refresh();

    QLineEdit& nameField() { return m_name; }
    QListWidget& groupList() { return m_groups; }
    QPushButton& addButton() { return m_add; }
    QPushButton& renameButton() { return m_rename; }
    QPushButton& removeButton() { return m_remove; }

signals:
    // The groups changed (the book windows read the book again).
    void groupsChanged();

private:
    void add();
    void rename();
    void remove();
    // The group chosen in the list; none when no group (or group 0 for removing) is chosen.
    std::optional<int> chosenGroup() const;
    void changed();

    TdbCore& m_books;
    ContactMessagesPort& m_messages;
    QLineEdit m_name;
    QListWidget m_groups;
    QPushButton m_add;
    QPushButton m_rename;
    QPushButton m_remove;
    QPushButton m_close;
};
