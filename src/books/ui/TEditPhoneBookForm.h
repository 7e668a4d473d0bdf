#pragma once

#include "books/contacts/ContactConflict.h"
#include "books/ui/ContactPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class ContactMessagesPort;
class TdbCore;
struct SettingsRecord;

// The contact editing window: a new contact or an existing one of the private or the public book, on four pages.
// OK saves with the book's rules and closes only when saving succeeded; Apply saves and stays. When another user
// changed the contact meanwhile, the save is refused and a conflict button beside the name and each number that
// differs offers the other user's value ("Take theirs") or this one ("Keep mine"); saving waits for every choice.
class TEditPhoneBookForm final : public QDialog {
    Q_OBJECT

public:
    struct Openers {
        std::function<void()> manageGroups;
        std::function<void()> configuration;
    };

    TEditPhoneBookForm(TdbCore& books, const SettingsRecord& settings, ContactMessagesPort& messages,
                       const ContactEditRequest& request, Openers openers, QWidget* parent = nullptr);
    ~TEditPhoneBookForm() override;

    // The book the window saves into.
    int book() const { return m_book; }
    // The stored contact's ID; none until a new contact is saved.
    std::optional<int> contactId() const;
    // Saves as OK does, without closing; true when the contact was stored.
    bool save();
    // The groups of the book read again (after "Edit groups").
    void reloadGroups();

    QTabWidget& pages() { return m_pages; }
    QComboBox& bookChoice() { return m_bookChoice; }
    QLineEdit& nameField() { return m_name; }
    QLineEdit& descriptionField() { return m_description; }
    QLineEdit& emailField() { return m_email; }
    QLineEdit& numberField(int position) { return m_numbers[static_cast<std::size_t>(position - 1)]; }
    QComboBox& typeChoice(int position) { return m_types[static_cast<std::size_t>(position - 1)]; }
    QComboBox& defaultChoice() { return m_default; }
    QComboBox& groupChoice() { return m_group; }
    QPlainTextEdit& notesField() { return m_notes; }
    QCheckBox& dontOpenNotes() { return m_dontOpenNotes; }
    QLineEdit& forwardField() { return m_forwardNumber; }
    QButtonGroup& ringingChoice() { return m_ringing; }
    // NameConflictBtn, Nr1Conflict .. Nr5Conflict.
    QToolButton& conflictButton(ContactConflict::Field field)
    {
        return m_conflictButtons[static_cast<std::size_t>(field)];
    }
    // The open conflict, if a save was refused.
    const ContactConflict* conflict() const { return m_conflict.get(); }
    // A choice of a conflict button's menu.
    void resolve(ContactConflict::Field field, bool takeTheirs);
    QPushButton& okButton() { return m_ok; }
    QPushButton& applyButton() { return m_apply; }

signals:
    // A contact was stored (the book windows read the book again).
    void saved(int book, int contactId);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildNotesPage();
    QWidget* buildRingingPage();
    QWidget* buildAudioPage();
    void showContact(const Contact& contact);
    Contact edited() const;
    void showConflict(const Contact& mine);
    void updateCaption();
    void insertDate();

    TdbCore& m_books;
    const SettingsRecord& m_settings;
    ContactMessagesPort& m_messages;
    Openers m_openers;
    int m_book;
    // The stored row this window started from (updated by each save); none for a new contact.
    std::optional<Contact> m_startedFrom;
    Contact m_prefill;
    std::unique_ptr<ContactConflict> m_conflict;

    QTabWidget m_pages;
    QComboBox m_bookChoice;
    QLineEdit m_name;
    QLineEdit m_description;
    QLineEdit m_email;
    std::array<QLineEdit, 5> m_numbers;
    std::array<QComboBox, 5> m_types;
    std::array<QToolButton, 6> m_conflictButtons;
    QComboBox m_default;
    QComboBox m_group;
    QPushButton m_manageGroups;
    QPlainTextEdit m_notes;
    QPushButton m_dateFlag;
    QButtonGroup m_ringing;
    QLineEdit m_forwardNumber;
    QLabel m_delay;
    QCheckBox m_dontOpenNotes;
    QListWidget m_recordings;
    QPushButton m_ok;
    QPushButton m_cancel;
    QPushButton m_apply;
    QPushButton m_configuration;
};
