#pragma once

#include "books/history/HistoryBrowser.h"
#include "books/ui/HistoryGridLook.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>

class HistoryRecordingPlayer;
struct SettingsRecord;

// The call history window: the filter and legend panels, the two searches, the grid of entries and the commands of
// its pop-up menu with their short-cuts. What a command means is HistoryBrowser's business and that of the openers
// of other windows; this window asks the questions and shows the answers.
class THistoryForm final : public QWidget {
    Q_OBJECT

public:
    // Windows of other parts of the program, opened for the number of the current entry. An empty one leaves its
    // command disabled.
    struct Openers {
        std::function<void(const QString& number)> call;
        std::function<void(const QString& number)> sendSms;
        std::function<void(const QString& number)> editContact;
        // position 1..5: extension, company, home, mobile, other
        std::function<void(const QString& number, int position)> addToBook;
        std::function<void(const QString& number)> openNotes;
        std::function<void()> configuration;
    };

    // Questions and messages; tests answer them without a modal box.
    struct Prompts {
        std::function<bool(const QString& question)> ask;
        std::function<void(const QString& text)> inform;
        // "View SMS": the number and the text.
        std::function<void(const QString& number, const QString& text)> showSms;
    };

    THistoryForm(HistoryBrowser& browser, const HistoryRecordingPlayer& player, SettingsRecord& settings,
                 Openers openers, Prompts prompts = {}, QWidget* parent = nullptr);

    // Shows the window where it was last, brings it to the front and marks the entries seen.
    void showHistory();

    QTableView& grid() { return m_grid; }
    QComboBox& filterBox(HistoryBrowser::Filter filter) { return *m_filters[static_cast<std::size_t>(filter)]; }
    QLineEdit& numberSearch() { return m_numberSearch; }
    QLineEdit& nameSearch() { return m_nameSearch; }
    QLabel& searchMessage() { return m_searchMessage; }
    QWidget& filterPanel() { return m_filterPanel; }
    QWidget& legendPanel() { return m_legendPanel; }
    QMenu& popupMenu() { return m_menu; }
    // The command of that object name ("HistoryCall", "HistoryClearMarked", ...), or null.
    QAction* action(const QString& name) const { return m_actions.value(name, nullptr); }
    // The ids of the marked (selected) rows, in grid order.
    QList<int> markedEntryIds() const;

signals:
    // The window was closed or hidden: what it keeps in the settings may be saved.
    void closed();

protected:
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QAction* addCommand(QMenu& menu, const char* name, const QString& text, const QKeySequence& shortcut,
                        std::function<void()> run);
    void buildPanels();
    void buildLegend();
    void buildMenu();
    QComboBox* addFilter(QLayout* layout, HistoryBrowser::Filter filter, const QString& label,
                         const QStringList& items);
    void updateCommands();
    void applyColumns();
    void rememberPlace();
    const HistoryEntry* currentEntry() const;
    QString currentNumber() const;
    bool ask(const QString& question) const;
    void inform(const QString& text) const;

    void callOrAnswer();
    void viewSms();
    void archiveMarked(bool archived);
    void playRecording();
    void clearMarked();
    void deleteAll();
    void showAll();
    void numberSearched(const QString& text);

    HistoryBrowser& m_browser;
    const HistoryRecordingPlayer& m_player;
    SettingsRecord& m_settings;
    Openers m_openers;
    Prompts m_prompts;
    HistoryGridLook m_look;
    QWidget m_filterPanel;
    QWidget m_legendPanel;
    QToolButton m_filterButton;
    QToolButton m_legendButton;
    QLineEdit m_numberSearch;
    QLineEdit m_nameSearch;
    QLabel m_searchMessage;
    QTableView m_grid;
    QMenu m_menu;
    std::array<QComboBox*, 4> m_filters{};
    QHash<QString, QAction*> m_actions;
    bool m_placed = false; // the position and size are the user's once the window was shown
};
