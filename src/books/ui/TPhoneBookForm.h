#pragma once

#include "books/contacts/BookActions.h"
#include "books/contacts/NameSearch.h"
#include "books/ui/BookGridModel.h"
#include "books/ui/ContactPage.h"
#include "books/ui/NumberListModel.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>
#include <functional>
#include <memory>

class ContactMessagesPort;
class PhoneBook;
class QMenu;
class TdbCore;
struct SettingsRecord;

// The phone book window over the current book: the name grid (grouped under group headers or classic) and the
// number grid on two tabs, a search field that filters either as the user types and a group search field, the
// commands of the "File" and "Phone books" menus with their short-cuts, and, while the current book is closed, a
// panel with the reason in place of the search fields.
class TPhoneBookForm final : public QMainWindow {
    Q_OBJECT

public:
    // What the window opens that belongs to other parts of the program; an empty one leaves its command out.
    struct Openers {
        std::function<void(const ContactEditRequest&)> edit;
        std::function<void()> manageGroups;
        std::function<void()> searchOptions;
        std::function<void()> configuration;
        std::function<void()> importBook;
        std::function<void()> exportBook;
        std::function<void(const QString& number)> sendSms;
        std::function<void(const QString& number)> call;
        std::function<void(const QUrl& url)> openUrl;
    };

    TPhoneBookForm(TdbCore& books, SettingsRecord& settings, std::function<void()> saveSettings,
                   ContactMessagesPort& messages, Openers openers, QWidget* parent = nullptr);
    ~TPhoneBookForm() override;

    // Shows the window (where it was last) with the name grid and the search field holding text.
    void showSearching(const QString& text = {});
    // Reads the current book again (after a save, a switch of books, a refresh).
    void reload();
    // The search options changed: the next keystroke searches with them.
    void searchOptionsChanged();

    // The command of that object name ("Call", "Delete", "Private", ...), or null.
    QAction* command(const QString& name) const { return m_commands.value(name, nullptr); }
    QTableView& nameGrid() { return m_nameGrid; }
    QTableView& numberGrid() { return m_numberGrid; }
    BookGridModel& nameModel() { return m_names; }
    NumberListModel& numberModel() { return m_numbers; }
    QLineEdit& searchField() { return m_search; }
    QLineEdit& groupSearchField() { return m_groupSearch; }
    QTabWidget& tabs() { return m_tabs; }
    // The panel shown instead of the search fields while the current book is closed.
    QWidget& offlinePanel() { return m_offline; }
    QLabel& offlineReason() { return m_offlineReason; }
    // The contact under the cursor of the grid shown.
    std::optional<Contact> currentContact();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addCommand(QMenu& menu, const char* name, const char* text, const QKeySequence& keys,
                        std::function<void()> run);
    void buildMenus();
    void buildLayout();
    void applySearch();
    void showBookState();
    void selectFirstContact();
    void callCurrent();
    void editCurrent(ContactPage page);
    void newContact();
    void deleteCurrent();
    void fillGroupMenu(QMenu& menu);
    void nameGridActivated(const QModelIndex& index);
    void switchTab();
    void setGrouped(bool grouped);
    void restoreGeometry();
    int currentBook() const;
    PhoneBook* book();

    TdbCore& m_books;
    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    ContactMessagesPort& m_messages;
    Openers m_openers;
    BookActions m_actions;
    std::unique_ptr<NameSearch> m_nameSearch;
    BookGridModel m_names;
    NumberListModel m_numbers;
    QHash<QString, QAction*> m_commands;
    QTabWidget m_tabs;
    QTableView m_nameGrid;
    QTableView m_numberGrid;
    QStackedWidget m_searchArea;
    QWidget m_searchFields;
    QLineEdit m_search;
    QLineEdit m_groupSearch;
    QWidget m_offline;
    QLabel m_offlineReason;
    QPushButton m_offlineConfiguration;
    QMenu* m_groupMenu = nullptr;
};
